#pragma once

#include "DirectoryTestEnvironment.h"
#include "TestFiles.h"
#include "TestPrinters.h"

#include "common/DirectoryDatabase.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmImportAscii.h"
#include "platform/db/DataSource.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/ui/Application.h"
#include "platform/modal/ModalRecorder.h"
#include "setup/ImportSchemas.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A table of the directory, opened: how many rows it has, and the field's value in each.
inline std::unique_ptr<db::Table> openDirectoryTable(const QString& table)
{
    auto opened = std::make_unique<db::Table>();
    opened->setDatabaseName(DirectoryDatabase::Alias);
    opened->setTableName(table);
    opened->Open();
    return opened;
}
inline qint64 rowCount(const QString& table)
{
    return openDirectoryTable(table)->RecordCount();
}
inline QStringList names(const QString& table, const char* field = "Name")
{
    const std::unique_ptr<db::Table> read = openDirectoryTable(table);
    QStringList values;
    for (read->First(); !read->Eof(); read->Next())
        values << read->FieldByName(QLatin1String(field)).AsString();
    return values;
}

// The import dialog over the demo directory, shown as the main window shows it. The schema files and the sample
// files of the set-up tool lie in the database folder; the program folder is another, empty folder, so the alias
// never names the program's folder here.
class ImportFixture : public ::testing::Test
{
protected:
    using Kind = TfrmImportAscii::RecordKind;

    ImportFixture()
    {
        ImportSchemas::writeSchemas(m_environment.databaseFolder());
        ImportSchemas::writeSamples(m_environment.databaseFolder());
        openDialog();
    }

    void openDialog()
    {
        m_dialog.reset();
        m_dialog = std::make_unique<TfrmImportAscii>(m_data, m_environment.programFolder());
        m_dialog->show();
        m_dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    TfrmImportAscii& dialog() { return *m_dialog; }

    QString sample(const char* name) const
    {
        return QDir(m_environment.databaseFolder()).filePath(QStringLiteral("samples/") + QLatin1String(name));
    }
    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_environment.path(name);
        EXPECT_TRUE(::writeFile(path, bytes));
        return path;
    }

    static void click(QPushButton* button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Chooses the layout and a file (an empty name cancels the choice) and presses a preview button.
    void preview(Kind kind, int itemIndex, const QString& file)
    {
        dialog().setRadioGroup1ItemIndex(itemIndex);
        m_modal.answerFile(file);
        click(kind == Kind::Department ? dialog().btnDepartment : dialog().btnEmployee);
    }

    void import() { click(dialog().btnUpdate); }

    QString lastMessage() const
    {
        const QStringList texts = m_modal.messageTexts();
        return texts.isEmpty() ? QString() : texts.constLast();
    }

    DirectoryTestEnvironment m_environment;
    ui::Application m_application;
    modal::ModalRecorder m_modal;
    TfrmDataMod m_data;
    std::unique_ptr<TfrmImportAscii> m_dialog;
};
