#pragma once

#include <QObject>
#include <QString>

namespace os {
class WindowDirectory;
} // namespace os

// The single-instance guard's component. It acts when it is created: in a copy that started while another copy of
// the same program file ran, it brings the window titled after the program file forward through the window links
// and ends the process with exit code 0. In the first copy it does nothing.
class TJustOne32 : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString About MEMBER m_about STORED false)

public:
    // windows: the program's window links; without them no window is looked for.
    TJustOne32(QObject* owner, os::WindowDirectory* windows);
    ~TJustOne32() override;

    // Looks for a window with the title; gives the first one found (normally the new copy's own) another title,
    // looks again and restores the window then found if it is minimised, else brings it to the top.
    static void bringPreviousCopyForward(os::WindowDirectory& windows, const QString& title);

private:
    QString m_about;
};
