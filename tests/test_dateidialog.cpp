#include "Testbaum.h"

#include "app/DateiDialog.h"
#include "app/Namensdialog.h"
#include "util/Speila.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>

#include <gtest/gtest.h>

namespace {

TEST(OpenDialog1, ShowsTheWindowsFilterButListsNamesWithoutADotToo)
{
    TOpenDialog vorlage;
    vorlage.FileName = "/tmp/x";
    TNamensDialog dialog;
    vorlage.Einrichten(dialog);
    const auto* filter = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(filter, nullptr);
    ASSERT_EQ(filter->count(), 1);
    EXPECT_EQ(filter->currentText().toStdString(), "Alle Dateien (*.*)");
    const auto* modell = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(modell, nullptr);
    EXPECT_TRUE(QDir::match(modell->nameFilters(), QStringLiteral("README")));
    EXPECT_TRUE(QDir::match(modell->nameFilters(), QStringLiteral("a.txt")));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
}

// The directory choice through the real dialog: the field's text with "x"
// goes in, the user may go elsewhere or type, OK is pressed, and the
// directory part of the name that comes back is what the field gets.
struct TWahlfall {
    const char* name;
    const char* feld;        // the field's directory, below the tree
    const char* start;       // where the dialog must open, below the tree
    const char* gehen;       // a folder entered from the list, or nullptr
    const char* tippen;      // typed into the name box ("@" for the tree), or nullptr
    const char* verzeichnis; // the directory the field gets, below the tree
};

void PrintTo(const TWahlfall& fall, std::ostream* aus)
{
    *aus << fall.name;
}

class OpenDialog1Wahl : public ::testing::TestWithParam<TWahlfall> {};

TEST_P(OpenDialog1Wahl, OpensInTheFieldsDirectoryAndTakesTheDirectoryMeant)
{
    const TWahlfall& fall = GetParam();
    TTestbaum baum;
    for (const char* ordner : {"a", "b", "c/x"})
        baum.Verzeichnis(ordner);
    const QString wurzel = QString::fromStdString(baum.Wurzel());

    TOpenDialog vorlage;
    vorlage.FileName = baum.Wurzel() + fall.feld + "x";
    TNamensDialog dialog;
    vorlage.Einrichten(dialog);
    QLineEdit* name = dialog.NamensFeld();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QDir(wurzel + fall.start).absolutePath());
    EXPECT_EQ(name->text().toStdString(), "x");

    if (fall.gehen) {
        // As a double-click or Enter on the folder in the list does it.
        auto* liste = dialog.findChild<QListView*>(QStringLiteral("listView"));
        auto* modell = dialog.findChild<QFileSystemModel*>();
        ASSERT_TRUE(liste && modell);
        emit liste->activated(modell->index(wurzel + fall.gehen));
        EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QDir(wurzel + fall.gehen).absolutePath());
        EXPECT_EQ(name->text().toStdString(), "x");
    }
    if (fall.tippen)
        name->setText(QString::fromUtf8(fall.tippen).replace(QStringLiteral("@"), wurzel));
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(vorlage.Uebernehmen(dialog));
    EXPECT_EQ(VerzeichnisTeil(vorlage.FileName), baum.Wurzel() + fall.verzeichnis);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, OpenDialog1Wahl,
    ::testing::Values(TWahlfall{"ExistingFieldDirectory", "a/", "a", nullptr, nullptr, "a/"},
                      TWahlfall{"MissingFieldDirectoryOpensItsParent", "a/fehlt/", "a", nullptr, nullptr, "a/"},
                      TWahlfall{"NavigatedElsewhere", "fehlt/", "", "b", nullptr, "b/"},
                      TWahlfall{"AFolderNamedXInTheShownOne", "c/", "c", nullptr, nullptr, "c/"},
                      TWahlfall{"TypedAbsoluteDirectory", "a/", "a", nullptr, "@b", "b/"},
                      TWahlfall{"TypedMissingDirectory", "a/", "a", nullptr, "@neu/tiefer/", "neu/tiefer/"},
                      TWahlfall{"TypedRelativeDirectory", "", "", nullptr, "c/x", "c/x/"},
                      TWahlfall{"TypedFileNameInTheShownDirectory", "b/", "b", nullptr, "datei.txt", "b/"}),
    [](const auto& info) { return info.param.name; });

} // namespace
