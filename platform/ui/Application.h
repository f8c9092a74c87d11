#pragma once

#include "platform/ui/MenuShortcutFilter.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <type_traits>
#include <vector>

namespace ui {

// The program's application object: its title, help file and hint setting, the forms it owns, the main window
// (the first form created that has a window) and the message loop. Its exception handler shows an error that
// ended an event handler in the default error box: caption the title, the error's message, an OK button. In every
// window the menus' shortcuts win over the keys of the focused control (MenuShortcutFilter).
//
// One per program, created after QApplication and destroyed before it; instance() finds it, as qApp finds the
// QApplication.
class Application : public QObject
{
    Q_OBJECT

public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* instance();

    const QString& Title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    const QString& HelpFile() const { return m_helpFile; }
    void setHelpFile(const QString& fileName) { m_helpFile = fileName; }
    bool ShowHint() const { return m_showHint; }
    void setShowHint(bool show) { m_showHint = show; }

    // Creates a form (a window, or a data module without one) that lives until the application object goes;
    // forms are destroyed in the reverse order of creation. The first form with a window is the main window.
    template <typename Form, typename... Args> Form& CreateForm(Args&&... args)
    {
        static_assert(std::is_base_of_v<QObject, Form>);
        auto form = std::make_unique<Form>(std::forward<Args>(args)...);
        Form& created = *form;
        m_forms.push_back(std::move(form));
        if constexpr (std::is_base_of_v<QWidget, Form>) {
            adoptMainForm(created);
        }
        return created;
    }
    QWidget* MainForm() const { return m_mainForm; }

    // Shows the main window and runs the message loop until the main window closes or Terminate is called.
    // Returns the exit code.
    int Run();
    // Ends the message loop without closing any window (their close handlers do not run).
    void Terminate(int exitCode = 0);

    // The default error box for an error that ended an event handler.
    void ShowException(const QString& message) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adoptMainForm(QWidget& form);
    void quitUnlessMainFormShown();

    MenuShortcutFilter m_menuShortcuts;
    QString m_title;
    QString m_helpFile;
    bool m_showHint = true;
    std::vector<std::unique_ptr<QObject>> m_forms;
    QPointer<QWidget> m_mainForm;
    bool m_running = false;
    bool m_terminated = false;
    int m_exitCode = 0;
};

} // namespace ui
