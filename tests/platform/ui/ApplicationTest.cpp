#include "platform/db/EngineError.h"
#include "platform/ui/Application.h"
#include "platform/ui/Guard.h"
#include "platform/modal/ModalRecorder.h"

#include "UiTestSupport.h"

#include <QHelpEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A form whose handlers fail the way database and file errors do.
class FailingForm : public QWidget
{
public:
    int handled = 0;
    int lastValue = 0;
    bool refuseClose = false;

    void ButtonClick()
    {
        ++handled;
        throw db::EngineError("Table file people.DB is missing");
    }
    void ValueChange(int value)
    {
        lastValue = value;
        throw std::runtime_error("Cannot write c:\\temp\\list.txt");
    }

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }
};

// A main window that closes itself as it is shown, as a start-up gate does.
class ClosingOnShow : public QWidget
{
protected:
    void showEvent(QShowEvent* /*event*/) override { close(); }
};

class CountingModule : public QObject
{
public:
    CountingModule(QStringList& log, QString name)
        : m_log(log)
        , m_name(std::move(name))
    {
    }
    ~CountingModule() override { m_log.append(m_name); }

private:
    QStringList& m_log;
    QString m_name;
};

class ToolTipCounter : public QWidget
{
public:
    int toolTips = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            ++toolTips;
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

TEST(Application, GuardShowsTheErrorInTheDefaultErrorBoxAndGoesOn)
{
    ui::Application application;
    application.setTitle("Sample 1.0");
    modal::ModalRecorder recorder;
    bool after = false;

    EXPECT_FALSE(ui::guarded([] { throw db::EngineError("Field 'Name' must have a value"); }));
    EXPECT_TRUE(ui::guarded([&] { after = true; }));

    EXPECT_TRUE(after);
    ASSERT_EQ(recorder.messages().size(), 1);
    const modal::MessageRequest& box = recorder.messages().front();
    EXPECT_EQ(box.text, "Field 'Name' must have a value");
    EXPECT_EQ(box.caption, "Sample 1.0");
    EXPECT_EQ(box.kind, modal::MessageKind::Error);
    EXPECT_EQ(box.buttons, modal::MessageButtons(modal::MessageButton::OK));
}

TEST(Application, GuardedHandlersEndAtTheErrorAndRunAgainNextTime)
{
    ui::Application application;
    application.setTitle("Lister for Sample 1.0");
    modal::ModalRecorder recorder;
    FailingForm form;
    QPushButton button(&form);
    ui::connectGuarded(&button, &QPushButton::clicked, &form, &FailingForm::ButtonClick);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(form.handled, 2);
    EXPECT_EQ(recorder.messageTexts(), QStringList(2, "Table file people.DB is missing"));
    EXPECT_EQ(recorder.messages().front().caption, "Lister for Sample 1.0");

    // The signal's arguments reach a handler that takes them, and a callable works the same way.
    QTimer carrier;
    ui::connectGuarded(&carrier, &QTimer::objectNameChanged, &form,
        [&form](const QString& name) { form.ValueChange(static_cast<int>(name.size())); });
    carrier.setObjectName("seven77");
    EXPECT_EQ(form.lastValue, 7);
    EXPECT_EQ(recorder.messageTexts().last(), "Cannot write c:\\temp\\list.txt");
}

TEST(Application, GuardCatchesWhatIsNotAStandardError)
{
    modal::ModalRecorder recorder;
    EXPECT_FALSE(ui::guarded([] { throw 42; }));
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_FALSE(recorder.messages().front().text.isEmpty());
    // Without an application object the box carries the program's name.
    EXPECT_EQ(recorder.messages().front().caption, QCoreApplication::applicationName());
}

TEST(Application, FirstWindowFormIsTheMainWindowAndFormsGoInReverseOrder)
{
    QStringList destroyed;
    {
        ui::Application application;
        application.CreateForm<CountingModule>(destroyed, "data module");
        EXPECT_EQ(application.MainForm(), nullptr);
        QWidget& main = application.CreateForm<QWidget>();
        application.CreateForm<QWidget>();
        application.CreateForm<CountingModule>(destroyed, "report module");
        EXPECT_EQ(application.MainForm(), &main);
        EXPECT_EQ(ui::Application::instance(), &application);
    }
    EXPECT_EQ(ui::Application::instance(), nullptr);
    EXPECT_EQ(destroyed, QStringList({ "report module", "data module" }));
}

TEST(Application, RunEndsWhenTheMainWindowClosesNotBefore)
{
    ui::Application application;
    FailingForm& main = application.CreateForm<FailingForm>();
    QWidget& other = application.CreateForm<QWidget>();
    main.refuseClose = true;
    bool refusedStillShown = false;
    QTimer::singleShot(0, &main, [&] {
        other.show();
        other.close(); // another window closing does not end the program
        main.close(); // refused by its close handler
        QTimer::singleShot(50, &main, [&] {
            refusedStillShown = main.isVisible();
            main.refuseClose = false;
            main.close();
        });
    });
    EXPECT_EQ(application.Run(), 0);
    EXPECT_TRUE(refusedStillShown);
    EXPECT_FALSE(main.isVisible());
}

TEST(Application, TerminateEndsTheLoopWithoutClosingTheMainWindow)
{
    ui::Application application;
    QWidget& main = application.CreateForm<QWidget>();
    QTimer::singleShot(0, &application, [&] { application.Terminate(3); });
    EXPECT_EQ(application.Run(), 3);
    EXPECT_TRUE(main.isVisible());
    main.hide();
}

TEST(Application, HintsCanBeSwitchedOff)
{
    ui::Application application;
    ToolTipCounter widget;
    widget.setToolTip("First record");
    QHelpEvent show(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(&widget, &show);
    EXPECT_EQ(widget.toolTips, 1);
    application.setShowHint(false);
    QApplication::sendEvent(&widget, &show);
    EXPECT_EQ(widget.toolTips, 1);
}

TEST(Application, AStartUpGateOrAnEarlyTerminateEndsRunAtOnce)
{
    {
        ui::Application application;
        FailingForm& main = application.CreateForm<FailingForm>();
        application.Terminate(5); // a quit asked for during start-up
        EXPECT_EQ(application.Run(), 5);
        EXPECT_FALSE(main.isVisible());
    }
    ui::Application application;
    ClosingOnShow& main = application.CreateForm<ClosingOnShow>();
    EXPECT_EQ(application.Run(), 0);
    EXPECT_FALSE(main.isVisible());
    // Nothing left over ends a later event loop.
    bool ran = false;
    QTimer::singleShot(20, [&] {
        ran = true;
        QCoreApplication::exit(9);
    });
    EXPECT_EQ(QCoreApplication::exec(), 9);
    EXPECT_TRUE(ran);
}
