#include "platform/ui/QtDialogs.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

// What the operator does in the file dialog once it is up.
enum class Answer { TypeAndOpen, Cancel };

struct FileDialogCase {
    const char* name;
    const char* typed;  // a name relative to the starting folder
    Answer answer;
    bool chosen;        // a path comes back
    friend void PrintTo(const FileDialogCase& c, std::ostream* os) { *os << c.name; }
};

class FileDialogAnswers : public testing::TestWithParam<FileDialogCase> {
protected:
    FileDialogAnswers()
    {
        folder.write("var.txt", "001,000123,1,2024/03/05,08:07:00,1\r\n");
    }

    // Shows the dialog through QtDialogs and answers it as the case says.
    // Any box the dialog raises on the way is written down and closed, and
    // a dialog still up after the answer is cancelled, so the call returns.
    std::optional<QString> choose(const FileDialogCase& which)
    {
        QTimer boxCloser;
        boxCloser.setInterval(0);
        QObject::connect(&boxCloser, &QTimer::timeout, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    boxes << box->text();
                    box->reject();
                }
            }
        });
        boxCloser.start();
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no file dialog is up";
                return;
            }
            startedIn = QDir(dialog->directory()).absolutePath();
            if (which.answer == Answer::Cancel) {
                dialog->reject();
                return;
            }
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!name) {
                ADD_FAILURE() << "the dialog has no file name editor";
                dialog->reject();
                return;
            }
            QTest::keyClicks(name, QLatin1String(which.typed));
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
            if (!open) {
                ADD_FAILURE() << "the dialog has no Open button";
                dialog->reject();
                return;
            }
            QTest::mouseClick(open, Qt::LeftButton);
            if (dialog->isVisible()) {
                stayedOpen = true;
                dialog->reject();
            }
        });
        return QtDialogs().chooseFileToOpen(folder.withSeparator());
    }

    test::TempFolder folder;
    QStringList boxes;
    QString startedIn;
    bool stayedOpen = false;
};

TEST_P(FileDialogAnswers, GiveTheTypedPathOrNothing)
{
    const FileDialogCase& which = GetParam();
    const std::optional<QString> chosen = choose(which);

    EXPECT_EQ(startedIn, QDir(folder.path()).absolutePath());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_FALSE(stayedOpen) << "the dialog refused the name";
    if (which.chosen) {
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(QDir::cleanPath(*chosen), QDir::cleanPath(folder.file(which.typed)));
    } else {
        EXPECT_FALSE(chosen.has_value());
    }
    // Choosing a file creates nothing.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"var.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileDialogAnswers,
    testing::Values(FileDialogCase{"ANewNameIsTaken", "yeni.txt", Answer::TypeAndOpen, true},
                    FileDialogCase{"AnExistingFileIsTaken", "var.txt", Answer::TypeAndOpen, true},
                    FileDialogCase{"CancelGivesNothing", "", Answer::Cancel, false}),
    test::CaseName{});

}  // namespace
}  // namespace tavlo
