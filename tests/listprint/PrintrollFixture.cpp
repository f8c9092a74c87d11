#include "PrintrollFixture.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Query.h"
#include "platform/db/Session.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewPageView.h"
#include "platform/ui/DBGrid.h"
#include "setup/DirectoryInstaller.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTest>

void PrintrollFixture::SetUp()
{
    DirectoryInstaller(databaseFolder()).installDemo();
    m_windows = std::make_unique<os::WindowDirectory>(path(QStringLiteral("runtime")));
    m_recorder.setDefaultDriver([this](QDialog& dialog) {
        if (const auto* const preview = qobject_cast<report::PreviewDialog*>(&dialog)) {
            QStringList texts;
            if (const report::Page* const first = preview->pageView()->page()) {
                for (int item = 0; item < first->itemCount(); ++item)
                    texts << first->text(item);
            }
            m_previews.append(texts);
        }
        dialog.reject();
    });
}

void PrintrollFixture::TearDown()
{
    m_mainWindow.reset();
    m_dataMod.reset();
    m_windows.reset();
    db::Session::defaultSession().RemoveAllPasswords();
}

QProcessEnvironment PrintrollFixture::programEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("APP_RUNTIME_DIR"), path(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("printroll.form.info=true"));
    return environment;
}

void PrintrollFixture::execute(const QString& statement) const
{
    db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
    db::Query query;
    query.setDatabaseName(DirectoryDatabase::Alias);
    query.setSQL({ statement });
    query.ExecSQL();
}

TFrmMain& PrintrollFixture::openMainWindow(const QStringList& arguments)
{
    m_dataMod = std::make_unique<TFrmDataMod>();
    m_mainWindow = std::make_unique<TFrmMain>(*m_dataMod, *m_windows, arguments);
    m_mainWindow->show();
    return *m_mainWindow;
}

void PrintrollFixture::selectList(const QString& name)
{
    for (const int tab : { 0, 1 }) {
        mainWindow().PageControlMain->setCurrentIndex(tab);
        if (dataMod().QryReport->Locate(QStringLiteral("Name"), name))
            return;
    }
    FAIL() << "no catalogue row " << name.toStdString();
}

void PrintrollFixture::doubleClickCatalogue()
{
    ui::DBGrid& grid = *mainWindow().DBGridMain;
    QTest::mouseDClick(
        grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.cellRect(std::max(grid.currentRow(), 0), 0).center());
}

QWidget* PrintrollFixture::focusIn(QWidget& window)
{
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    return QApplication::focusWidget();
}

void PrintrollFixture::pressIn(QWidget& window, Qt::Key key)
{
    QWidget* const focused = focusIn(window);
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, key);
}
