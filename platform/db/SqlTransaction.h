#pragma once

namespace db {

class SqlConnection;

// One transaction, rolled back at destruction unless committed; the destructor never throws.
// Immediate takes the write lock at once, so a busy table is reported before any work; Deferred reads one state of
// the file without taking it; Savepoint nests inside an open transaction, and rolling it back undoes only its own
// work.
class SqlTransaction
{
public:
    enum class Mode
    {
        Deferred,
        Immediate,
        Savepoint,
    };

    explicit SqlTransaction(const SqlConnection& connection, Mode mode = Mode::Immediate);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    void commit();
    bool active() const { return m_active; }

private:
    const SqlConnection& m_connection;
    const Mode m_mode;
    bool m_active = false;
};

} // namespace db
