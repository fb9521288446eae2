#include "app/DateiDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

TEST(OpenDialog1, ShowsTheWindowsFilterButListsNamesWithoutADotToo)
{
    TOpenDialog vorlage;
    vorlage.FileName = "/tmp/x";
    QFileDialog dialog;
    vorlage.Einrichten(dialog);
    const auto* filter = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(filter, nullptr);
    ASSERT_EQ(filter->count(), 1);
    EXPECT_EQ(filter->currentText().toStdString(), "Alle Dateien (*.*)");
    const auto* modell = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(modell, nullptr);
    EXPECT_TRUE(QDir::match(modell->nameFilters(), QStringLiteral("README")));
    EXPECT_TRUE(QDir::match(modell->nameFilters(), QStringLiteral("a.txt")));
}

TEST(OpenDialog1, StartsInTheDirectoryOfItsNameWithTheNameInItsBox)
{
    TOpenDialog vorlage;
    vorlage.FileName = QDir::tempPath().toStdString() + "/x";
    QFileDialog dialog;
    vorlage.Einrichten(dialog);
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QDir(QDir::tempPath()).absolutePath());
    const auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text().toStdString(), "x");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
}

} // namespace
