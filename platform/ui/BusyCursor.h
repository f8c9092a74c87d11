#pragma once

namespace ui {

// The busy cursor over the whole application while a long job runs on the GUI thread (an import, an export, a
// print being built), put back however the job ends. Nested jobs each add their own and take it away again.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace ui
