#include "common/TJustOne32.h"

#include "common/AboutLog.h"
#include "common/Just1_32.h"
#include "common/TPreviousInstance.h"
#include "platform/os/WindowDirectory.h"

TJustOne32::TJustOne32(QObject* owner, os::WindowDirectory* windows)
    : QObject(owner)
{
    const TPreviousInstance* const previous = Just1_32::PreviousInstance();
    if (!previous || !previous->Exists)
        return;
    QString title;
    previous->GetWindowTitle(title);
    if (!title.isEmpty() && windows)
        bringPreviousCopyForward(*windows, title);
    qCInfo(lcAbout) << "another copy of the program runs: this one ends";
    Just1_32::halt();
}

TJustOne32::~TJustOne32() = default;

void TJustOne32::bringPreviousCopyForward(os::WindowDirectory& windows, const QString& title)
{
    if (const auto first = windows.findWindow(title))
        windows.setWindowText(*first, QStringLiteral("something else"));
    const auto found = windows.findWindow(title);
    if (!found)
        return;
    if (windows.isIconic(*found))
        windows.showWindowRestore(*found);
    else
        windows.bringWindowToTop(*found);
}
