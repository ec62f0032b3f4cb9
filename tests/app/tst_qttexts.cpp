// Qt's own texts in the program's language, whatever the desktop's language (CTest runs this in the
// C locale): the application object that start-up makes installs Qt's Hungarian catalogue.

#include "app/application.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QStringList actionTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions()) {
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    return texts;
}

QStringList labelTexts(const QWidget &dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

} // namespace

class TestQtTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textFieldContextMenu();
    void printToFileDialog();
};

void TestQtTexts::textFieldContextMenu()
{
    QLineEdit field(QStringLiteral("Minta Kft."));
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QCOMPARE(actionTexts(*menu), QStringList({"&Visszavonás", "Új&ra", "&Kivágás", "&Másolás", "&Beillesztés",
                                              "Törlés", "Összes kijelölése"}));
}

void TestQtTexts::printToFileDialog()
{
    QFileDialog dialog(nullptr, QString(), QString(), QStringLiteral("*.prn"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList labels = labelTexts(dialog);
    QVERIFY2(labels.contains(QStringLiteral("Keresés itt:")), qPrintable(labels.join(QLatin1String(" | "))));
    QVERIFY2(labels.contains(QStringLiteral("Fájl &neve:")), qPrintable(labels.join(QLatin1String(" | "))));
    QStringList buttons;
    for (const QPushButton *button : dialog.findChildren<QPushButton *>())
        buttons << button->text();
    QVERIFY2(buttons.contains(QStringLiteral("Menté&s")), qPrintable(buttons.join(QLatin1String(" | "))));
}

int main(int argc, char **argv)
{
    Application application(argc, argv);
    TestQtTexts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qttexts.moc"
