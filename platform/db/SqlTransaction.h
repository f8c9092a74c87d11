#pragma once

namespace db {

class SqlConnection;

// One write transaction: begun at construction (taking the write lock at once, so a busy table is reported before
// any work), rolled back at destruction unless committed. The destructor never throws.
class SqlTransaction
{
public:
    explicit SqlTransaction(const SqlConnection& connection);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    void commit();
    bool active() const { return m_active; }

private:
    const SqlConnection& m_connection;
    bool m_active = false;
};

} // namespace db
