#include "common/exception.h"
#include "common/regionalsettings.h"
#include "common/windows1250.h"
#include "dialogs/dialogs.h"
#include "storage/cipher/lbrijndael.h"
#include "storage/fillingformat.h"
#include "storage/saveddate.h"
#include "storage/savedfilling.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <thread>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FormComponent component(const QString &name, ComponentKind kind, const QString &text = QString())
{
    FormComponent result;
    result.name = name;
    result.kind = kind;
    result.text = text;
    return result;
}

FormComponent dateField(const QString &name, QDate date)
{
    FormComponent result = component(name, ComponentKind::TDateTimePicker);
    result.date = date;
    return result;
}

FormComponent optionGroup(const QString &name, int index)
{
    FormComponent result = component(name, ComponentKind::TLMDRadioGroup);
    result.optionIndex = index;
    result.optionCount = 3;
    return result;
}

// The window as it starts, in component order, with a few of the components that hold no value.
QList<FormComponent> untouchedWindow()
{
    QList<FormComponent> window{
        component(QStringLiteral("Panel1"), ComponentKind::TPanel),
        component(QStringLiteral("Panel4"), ComponentKind::TPanel),
        component(QStringLiteral("Label29"), ComponentKind::TLabel, QStringLiteral("0")),
        component(QStringLiteral("Label9"), ComponentKind::TLabel, QStringLiteral("0")),
        component(QStringLiteral("PBNumEdit2"), ComponentKind::TPBNumEdit, QStringLiteral("0")),
        component(QStringLiteral("PBNumEdit4"), ComponentKind::TPBNumEdit, QStringLiteral("0")),
        component(QStringLiteral("PBNumEdit6"), ComponentKind::TPBNumEdit, QStringLiteral("2100")),
        component(QStringLiteral("PBNumEdit5"), ComponentKind::TPBNumEdit, QStringLiteral("0")),
        component(QStringLiteral("PBNumEdit1"), ComponentKind::TPBNumEdit, QStringLiteral("0")),
        component(QStringLiteral("PBNumEdit7"), ComponentKind::TPBNumEdit, QStringLiteral("0")),
        component(QStringLiteral("Panel2"), ComponentKind::TPanel),
        optionGroup(QStringLiteral("LMDRadioGroup7"), 0),
        component(QStringLiteral("Edit9"), ComponentKind::TEdit),
        dateField(QStringLiteral("DateTimePicker3"), QDate(2010, 1, 1)),
        dateField(QStringLiteral("DateTimePicker4"), QDate(2010, 12, 31)),
        component(QStringLiteral("Panel3"), ComponentKind::TPanel),
        component(QStringLiteral("Edit3"), ComponentKind::TEdit),
        component(QStringLiteral("Edit2"), ComponentKind::TEdit),
        dateField(QStringLiteral("DateTimePicker6"), QDate(2011, 2, 2)),
        component(QStringLiteral("Edit7"), ComponentKind::TEdit),
        component(QStringLiteral("LMDMaskEdit3"), ComponentKind::TLMDMaskEdit, QStringLiteral("**********")),
        component(QStringLiteral("LMDMaskEdit2"), ComponentKind::TLMDMaskEdit, QStringLiteral("********-*-**")),
        component(QStringLiteral("LMDMaskEdit1"), ComponentKind::TLMDMaskEdit, QStringLiteral("********-****-***-**")),
        component(QStringLiteral("LMDMaskEdit31"), ComponentKind::TLMDMaskEdit,
                  QStringLiteral("********-********-********")),
        component(QStringLiteral("LMDGroupBox1"), ComponentKind::TLMDGroupBox),
        component(QStringLiteral("LMDMaskEdit32"), ComponentKind::TLMDMaskEdit, QStringLiteral("****")),
    };
    for (int number = 75; number <= 82; ++number)
        window.append(component(QStringLiteral("Edit%1").arg(number), ComponentKind::TEdit));
    window.append(component(QStringLiteral("LMDMaskEdit33"), ComponentKind::TLMDMaskEdit, QStringLiteral("****")));
    for (int number = 83; number <= 92; ++number)
        window.append(component(QStringLiteral("Edit%1").arg(number), ComponentKind::TEdit));
    window.append(component(QStringLiteral("CheckBox1"), ComponentKind::TCheckBox));
    window.append(component(QStringLiteral("LbRijndael1"), ComponentKind::TLbRijndael));
    return window;
}

// The window and every call the saved filling makes on it.
class FakeForm : public FillingForm
{
public:
    QList<FormComponent> window = untouchedWindow();
    QStringList calls;
    bool recomputationFails = false;

    FormComponent &operator[](const QString &name)
    {
        for (FormComponent &field : window) {
            if (field.name == name)
                return field;
        }
        throw std::out_of_range(name.toStdString());
    }

    QList<FormComponent> components() const override { return window; }

    void setText(const QString &name, const QString &text) override
    {
        record(name, ComponentKind::TEdit).text = text;
    }
    void setNumberText(const QString &name, const QString &text) override
    {
        record(name, ComponentKind::TPBNumEdit).text = text;
    }
    void setMaskText(const QString &name, const QString &text) override
    {
        record(name, ComponentKind::TLMDMaskEdit).text = text;
    }
    void setDate(const QString &name, QDate date) override { record(name, ComponentKind::TDateTimePicker).date = date; }
    void setOptionIndex(const QString &name, int index) override
    {
        record(name, ComponentKind::TLMDRadioGroup).optionIndex = index;
    }

    void PBNumEdit5Exit() override
    {
        calls.append(QStringLiteral("PBNumEdit5Exit"));
        if (recomputationFails)
            throw EConvertError(QStringLiteral("'1,5' is not a valid integer value"));
    }
    void LMDRadioGroup7Click() override { calls.append(QStringLiteral("LMDRadioGroup7Click")); }
    void CheckBox1Click() override { calls.append(QStringLiteral("CheckBox1Click")); }

private:
    // A setter of the wrong kind, or a name not spelled as the window spells it, is a fault.
    FormComponent &record(const QString &name, ComponentKind kind)
    {
        calls.append(QStringLiteral("set ") + name);
        FormComponent &field = (*this)[name];
        if (field.kind != kind)
            throw std::logic_error("setter of the wrong kind for " + name.toStdString());
        return field;
    }
};

// The worked example: a typical filling with an empty-valued field left out wherever one occurs.
void fillWorkedExample(FakeForm &form)
{
    form[QStringLiteral("PBNumEdit5")].text = QStringLiteral("12");
    form[QStringLiteral("PBNumEdit2")].text = QStringLiteral("10");
    form[QStringLiteral("PBNumEdit1")].text = QStringLiteral("15000");
    form[QStringLiteral("Edit2")].text = QStringLiteral("Minta Kft.");
    form[QStringLiteral("LMDMaskEdit3")].text = QStringLiteral("1234567890");
    form[QStringLiteral("LMDMaskEdit2")].text = QStringLiteral("12345678-2-13");
    form[QStringLiteral("LMDMaskEdit1")].text = QStringLiteral("12345678-1234-123-12");
    form[QStringLiteral("LMDMaskEdit31")].text = QStringLiteral("11111111-22222222-33333333");
    form[QStringLiteral("LMDMaskEdit32")].text = QStringLiteral("1234");
    form[QStringLiteral("Edit75")].text = QStringLiteral("Kerekrév");
    form[QStringLiteral("Edit76")].text = QStringLiteral("Fő");
    form[QStringLiteral("Edit77")].text = QStringLiteral("utca");
    form[QStringLiteral("Edit78")].text = QStringLiteral("12");
    form[QStringLiteral("LMDMaskEdit33")].text = QStringLiteral("4321");
}

// The Windows-1250 bytes of the worked example's plaintext: "ő" is 0xF5, "ó" 0xF3, "é" 0xE9.
const QByteArray workedExampleBytes = "k\xF5" "farag\xF3" "k\r\n"
                                      "PBNumEdit2_10\r\n"
                                      "PBNumEdit4_0\r\n"
                                      "PBNumEdit6_2100\r\n"
                                      "PBNumEdit5_12\r\n"
                                      "PBNumEdit1_15000\r\n"
                                      "PBNumEdit7_0\r\n"
                                      "LMDRadioGroup7_0\r\n"
                                      "DateTimePicker3_2010.01.01.\r\n"
                                      "DateTimePicker4_2010.12.31.\r\n"
                                      "Edit2_Minta Kft.\r\n"
                                      "DateTimePicker6_2011.02.02.\r\n"
                                      "LMDMaskEdit3_1234567890\r\n"
                                      "LMDMaskEdit2_12345678-2-13\r\n"
                                      "LMDMaskEdit1_12345678-1234-123-12\r\n"
                                      "LMDMaskEdit31_11111111-22222222-33333333\r\n"
                                      "LMDMaskEdit32_1234\r\n"
                                      "Edit75_Kerekr\xE9v\r\n"
                                      "Edit76_F\xF5\r\n"
                                      "Edit77_utca\r\n"
                                      "Edit78_12\r\n"
                                      "LMDMaskEdit33_4321\r\n";

// How a loaded value reads in a table row: "Name=value".
QString describe(const FormComponent &field)
{
    QString value = field.text;
    if (field.kind == ComponentKind::TDateTimePicker)
        value = field.date.toString(Qt::ISODate);
    else if (field.kind == ComponentKind::TLMDRadioGroup)
        value = QString::number(field.optionIndex);
    return field.name + u'=' + value;
}

QStringList describe(const QList<FormComponent> &fields)
{
    QStringList descriptions;
    for (const FormComponent &field : fields)
        descriptions.append(describe(field));
    return descriptions;
}

QString encrypted(const QString &password, const QString &plaintext)
{
    TLbRijndael cipher;
    cipher.DeriveKey(password);
    return cipher.EncryptText(plaintext);
}

QString decrypted(const QString &password, const QByteArray &fileContent)
{
    TLbRijndael cipher;
    cipher.DeriveKey(password);
    return cipher.DecryptText(QString::fromLatin1(fileContent));
}

QByteArray fileFor(const QString &password, const QStringList &fieldLines)
{
    return encrypted(password, fillingformat::joinLines(QStringList{fillingformat::markerLine()} + fieldLines))
        .toLatin1();
}

// Answers the real modal dialogs as they open, in turn. A dialog beyond the answers is rejected and
// recorded, so a test never hangs on one.
class DialogDriver : public QObject
{
public:
    using Answer = std::function<void(QDialog *dialog)>;

    explicit DialogDriver(QList<Answer> answers)
        : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogDriver::answerNewDialog);
        m_timer.start(10);
    }

    QStringList unexpectedDialogs;

private:
    void answerNewDialog()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == m_answered)
            return;
        m_answered = dialog;
        if (m_answers.isEmpty()) {
            unexpectedDialogs.append(dialog->windowTitle());
            dialog->reject();
            return;
        }
        m_answers.takeFirst()(dialog);
    }

    QList<Answer> m_answers;
    QPointer<QDialog> m_answered;
    QTimer m_timer;
};

// Types the password into the input box and presses OK, noting the box's title.
DialogDriver::Answer typePassword(QStringList &seen, const QString &password)
{
    return [&seen, password](QDialog *dialog) {
        seen.append(dialog->windowTitle());
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("Edit"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OK"));
        if (!edit || !ok) {
            dialog->reject();
            return;
        }
        // Key events that carry the text, since QTest only clicks ASCII keys by name.
        for (QChar character : password) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QCoreApplication::sendEvent(edit, &press);
        }
        QTest::mouseClick(ok, Qt::LeftButton);
    };
}

// Presses OK on a message box, noting its message.
DialogDriver::Answer acknowledge(QStringList &seen)
{
    return [&seen](QDialog *dialog) {
        auto *message = dialog->findChild<QLabel *>(QStringLiteral("Message"));
        seen.append(message ? message->text() : QStringLiteral("(no message)"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OK"));
        if (ok)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            dialog->reject();
    };
}

// Cancels the dialog as a user does: with its Cancel button, the Escape key or its close box.
DialogDriver::Answer cancelWith(QStringList &seen, const QString &how)
{
    return [&seen, how](QDialog *dialog) {
        seen.append(dialog->windowTitle());
        if (how == QLatin1String("Cancel")) {
            if (auto *cancel = dialog->findChild<QPushButton *>(QStringLiteral("Cancel")))
                QTest::mouseClick(cancel, Qt::LeftButton);
            else
                dialog->accept(); // no Cancel button: the load goes on, and the test fails on it
        } else if (how == QLatin1String("Escape")) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else {
            dialog->close();
        }
    };
}

struct ChildResult
{
    int exitCode = -1;
    QString output;
};

// Saves a filling holding the text in Edit2 from a process of its own, under the given limits.
ChildResult saveInChild(const QString &folder, const QString &password, const QString &text,
                        const QStringList &limits)
{
    QProcess child;
    child.start(QString::fromUtf8(SAVE_FILLING_CHILD), QStringList{folder, password, text} + limits);
    if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit)
        return {};
    return {child.exitCode(), QString::fromUtf8(child.readAllStandardOutput())};
}

struct stat fileStatus(const QString &path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
}

} // namespace

class TestSavedFilling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void workedExampleHasExactPlaintext();
    void untouchedWindowSavesSixteenFieldLines();
    void valueLinesStayWithTheirField_data();
    void valueLinesStayWithTheirField();
    void splitLines_data();
    void splitLines();
    void loadedValues_data();
    void loadedValues();
    void badValueFailsWholeLoad_data();
    void badValueFailsWholeLoad();

    void savedFileDecryptsToPlaintext();
    void saveAndLoadRoundTrip();
    void emptyPasswordRoundTrip();
    void cancelledSaveKeepsPreviousFile();
    void wrongPasswordChangesNothing();
    void missingFileAsksPasswordFirst();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void markerOnlyFileAppliesRulesOnly();
    void rulesFollowLoadedStateWhenRecomputationFails();
    void lineEndAfterBase64IsTolerated();
    void unwritableTargetReportsFullPath_data();
    void unwritableTargetReportsFullPath();
    void pipeInPlaceOfTheFileIsReplacedWithoutWaiting();
    void realDialogsAskAndReport();

    void fullDiskKeepsPreviousFile_data();
    void fullDiskKeepsPreviousFile();
    void fullFileSystemKeepsPreviousFile();
    void fileCutShortLoadsNothing();
    void savedDatesComeBackUnchanged_data();
    void savedDatesComeBackUnchanged();
    void twoDigitYearsLoadInTheirCentury_data();
    void twoDigitYearsLoadInTheirCentury();
    void cancelledLoadReadsNothing();
    void realPasswordBoxCancelsLoad_data();
    void realPasswordBoxCancelsLoad();
    void oversizedFileRefusedAtOnce_data();
    void oversizedFileRefusedAtOnce();
    void saveRefusesAFillingTooLargeToLoad();
    void longValueQuotedShort_data();
    void longValueQuotedShort();
    void unwritableFolderWritesTheFileInPlace_data();
    void unwritableFolderWritesTheFileInPlace();
    void fullDiskPutsBackTheFileWrittenInPlace();
    void newFileIsForItsOwnerOnly();
    void fileSystemWithoutModesStillSaves_data();
    void fileSystemWithoutModesStillSaves();
    void saveRemovesLeftoverTemporaries();

private:
    QString filePath() const { return QDir(m_folder->path()).filePath(QStringLiteral("KRVR11007.txt")); }
    void writeFile(const QByteArray &content) const;
    QByteArray readFile() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    FakeForm m_form;
    TLbRijndael m_cipher;
    // The passwords the input box will answer with, in turn; nothing stands for Cancel.
    QList<std::optional<QString>> m_answers;
    // Every dialog shown, in order: "input: caption | prompt" or "information: text".
    QStringList m_dialogs;
};

void TestSavedFilling::initTestCase()
{
    RegionalSettings settings;
    settings.shortDateFormat = QStringLiteral("yyyy.MM.dd.");
    Regional::instance().setSettings(settings);
    MessDlgs::setInputBoxFunction([this](const QString &caption, const QString &prompt, const QString &value) {
        m_dialogs.append(QStringLiteral("input: %1 | %2").arg(caption, prompt));
        if (MessDlgs::settings().language != MessDlgs::Hungarian || !value.isEmpty() || m_answers.isEmpty())
            throw std::logic_error("input box not asked in Hungarian with an empty text, or not expected");
        return m_answers.takeFirst();
    });
    MessDlgs::setMessageBoxFunction([this](const MessDlgs::MessageBoxRequest &request) {
        if (request.type != mtInformation || request.language != MessDlgs::Hungarian)
            throw std::logic_error("message box is not a Hungarian information box");
        m_dialogs.append(QStringLiteral("information: ") + request.text);
        return int(mrOk);
    });
}

void TestSavedFilling::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_form = FakeForm();
    m_answers.clear();
    m_dialogs.clear();
    MessDlgs::settings().language = MessDlgs::English;
    RegionalSettings settings;
    settings.shortDateFormat = QStringLiteral("yyyy.MM.dd.");
    Regional::instance().setSettings(settings);
}

void TestSavedFilling::cleanup()
{
    QVERIFY2(m_answers.isEmpty(), "a password prompt that the test expected was not shown");
}

void TestSavedFilling::writeFile(const QByteArray &content) const
{
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray TestSavedFilling::readFile() const
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestSavedFilling::workedExampleHasExactPlaintext()
{
    fillWorkedExample(m_form);
    const QString plaintext = fillingformat::joinLines(fillingformat::plaintextLines(m_form.components()));
    QCOMPARE(windows1250::encode(plaintext), workedExampleBytes);
}

void TestSavedFilling::untouchedWindowSavesSixteenFieldLines()
{
    const QStringList expected{
        QStringLiteral("kőfaragók"),
        QStringLiteral("PBNumEdit2_0"),
        QStringLiteral("PBNumEdit4_0"),
        QStringLiteral("PBNumEdit6_2100"),
        QStringLiteral("PBNumEdit5_0"),
        QStringLiteral("PBNumEdit1_0"),
        QStringLiteral("PBNumEdit7_0"),
        QStringLiteral("LMDRadioGroup7_0"),
        QStringLiteral("DateTimePicker3_2010.01.01."),
        QStringLiteral("DateTimePicker4_2010.12.31."),
        QStringLiteral("DateTimePicker6_2011.02.02."),
        QStringLiteral("LMDMaskEdit3_**********"),
        QStringLiteral("LMDMaskEdit2_********-*-**"),
        QStringLiteral("LMDMaskEdit1_********-****-***-**"),
        QStringLiteral("LMDMaskEdit31_********-********-********"),
        QStringLiteral("LMDMaskEdit32_****"),
        QStringLiteral("LMDMaskEdit33_****"),
    };
    QCOMPARE(fillingformat::plaintextLines(m_form.components()), expected);
}

void TestSavedFilling::valueLinesStayWithTheirField_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("loaded"); // the field's text after loading these lines back

    QTest::newRow("underscore kept in value") << "a_b" << QStringList{"Edit2_a_b"} << "a_b";
    QTest::newRow("dollar lost on loading") << "1$" << QStringList{"Edit2_1$"} << "1";
    QTest::newRow("CR LF gives continuation") << "first\r\nsecond" << QStringList{"Edit2_first", "$Edit2_second"}
                                              << "second";
    QTest::newRow("lone CR and LF break too") << "a\rb\nc" << QStringList{"Edit2_a", "$Edit2_b", "$Edit2_c"} << "c";
    QTest::newRow("empty further line dropped") << "a\n\nb" << QStringList{"Edit2_a", "$Edit2_b"} << "b";
    QTest::newRow("empty first line not given to the previous field") << "\nb" << QStringList{"$Edit2_b"} << "b";
    QTest::newRow("underscore in further line names no field")
        << "a\nEdit9_x" << QStringList{"Edit2_a", "$Edit2_Edit9_x"} << "Edit9_x";
}

void TestSavedFilling::valueLinesStayWithTheirField()
{
    QFETCH(QString, value);
    QFETCH(QStringList, lines);
    QFETCH(QString, loaded);
    m_form[QStringLiteral("Edit2")].text = value;
    const QStringList all = fillingformat::plaintextLines(m_form.components());
    const qsizetype first = all.indexOf(QStringLiteral("DateTimePicker4_2010.12.31.")) + 1;
    QCOMPARE(all.mid(first, lines.size()), lines);
    QCOMPARE(all.at(first + lines.size()), QStringLiteral("DateTimePicker6_2011.02.02."));

    const QStringList values = describe(fillingformat::loadedValues(all.mid(1), untouchedWindow()));
    const QRegularExpression edit2(QStringLiteral("^Edit2=")), edit9(QStringLiteral("^Edit9="));
    QCOMPARE(values.filter(edit2).constLast(), QStringLiteral("Edit2=") + loaded);
    QVERIFY(values.filter(edit9).isEmpty());
}

void TestSavedFilling::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("last line end starts no line") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("without last line end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
    QTest::newRow("empty line kept") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("lone LF is no line end") << "a\nb\r\n" << QStringList{"a\nb"};
}

void TestSavedFilling::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(fillingformat::splitLines(text), lines);
}

void TestSavedFilling::loadedValues_data()
{
    QTest::addColumn<QStringList>("fieldLines");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("name matched in any case, spelled as the window spells it")
        << QStringList{"eDIT2_Minta"} << QStringList{"Edit2=Minta"};
    QTest::newRow("name ends at the first underscore") << QStringList{"Edit2_a_b_"} << QStringList{"Edit2=a_b_"};
    QTest::newRow("every dollar removed") << QStringList{"$Ed$it2_1$0$"} << QStringList{"Edit2=10"};
    QTest::newRow("empty value") << QStringList{"Edit2_"} << QStringList{"Edit2="};
    QTest::newRow("continuation line: the last value written once") << QStringList{"Edit2_first", "$Edit2_second"}
                                                                   << QStringList{"Edit2=second"};
    QTest::newRow("line without underscore continues the remembered field")
        << QStringList{"EDIT2_a", "b"} << QStringList{"Edit2=b"};
    QTest::newRow("field written at its first place") << QStringList{"Edit2_a", "Edit3_b", "edit2_c"}
                                                      << QStringList{"Edit2=c", "Edit3=b"};
    QTest::newRow("line without underscore and no remembered field skipped")
        << QStringList{"orphan", "Edit2_x"} << QStringList{"Edit2=x"};
    QTest::newRow("unknown name skipped, remembered field kept")
        << QStringList{"Edit2_a", "Nope_b", "c"} << QStringList{"Edit2=c"};
    QTest::newRow("empty name skipped") << QStringList{"_x"} << QStringList{};
    QTest::newRow("label remembered but not set") << QStringList{"Edit2_a", "Label9_5", "c"}
                                                  << QStringList{"Edit2=a"};
    QTest::newRow("check box not set") << QStringList{"CheckBox1_0"} << QStringList{};
    QTest::newRow("numeric text unchanged") << QStringList{"PBNumEdit2_ 1 234,50"}
                                            << QStringList{"PBNumEdit2= 1 234,50"};
    QTest::newRow("mask text unchanged") << QStringList{"LMDMaskEdit32_12**"} << QStringList{"LMDMaskEdit32=12**"};
    QTest::newRow("date in short date format") << QStringList{"datetimepicker6_1999.03.04."}
                                               << QStringList{"DateTimePicker6=1999-03-04"};
    QTest::newRow("option beyond the last") << QStringList{"LMDRadioGroup7_7"} << QStringList{"LMDRadioGroup7=2"};
    QTest::newRow("option below none") << QStringList{"LMDRadioGroup7_-5"} << QStringList{"LMDRadioGroup7=-1"};
    QTest::newRow("option with spaces and sign") << QStringList{"LMDRadioGroup7_  +1"}
                                                 << QStringList{"LMDRadioGroup7=1"};
    QTest::newRow("option in hexadecimal") << QStringList{"LMDRadioGroup7_0x2"} << QStringList{"LMDRadioGroup7=2"};
    QTest::newRow("empty option changes nothing") << QStringList{"LMDRadioGroup7_"} << QStringList{};
}

void TestSavedFilling::loadedValues()
{
    QFETCH(QStringList, fieldLines);
    QFETCH(QStringList, values);
    QCOMPARE(describe(fillingformat::loadedValues(fieldLines, untouchedWindow())), values);
}

void TestSavedFilling::badValueFailsWholeLoad_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");

    QTest::newRow("date in another format") << "DateTimePicker3_31/12/2010" << "'31/12/2010' is not a valid date";
    QTest::newRow("empty date") << "DateTimePicker3_" << "'' is not a valid date";
    QTest::newRow("date the field cannot hold") << "DateTimePicker4_1700.01.01."
                                                << "Failed to set calendar date or time";
    QTest::newRow("fractional option") << "LMDRadioGroup7_1,5" << "'1,5' is not a valid integer value";
    QTest::newRow("option out of range") << "LMDRadioGroup7_2147483648"
                                         << "'2147483648' is not a valid integer value";
    QTest::newRow("option with trailing space") << "LMDRadioGroup7_1 " << "'1 ' is not a valid integer value";
}

void TestSavedFilling::badValueFailsWholeLoad()
{
    QFETCH(QString, line);
    QFETCH(QString, message);

    const QStringList fieldLines{QStringLiteral("Edit2_before"), line, QStringLiteral("Edit75_after")};
    try {
        fillingformat::loadedValues(fieldLines, untouchedWindow());
        QFAIL("no failure");
    } catch (const Exception &error) {
        QCOMPARE(error.message(), message);
    }

    // Through the load operation, not one field is written and no rule runs.
    writeFile(fileFor(QStringLiteral("p"), fieldLines));
    m_answers = {QStringLiteral("p")};
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    QVERIFY_THROWS_EXCEPTION(Exception, filling.LoadFilling());
    QCOMPARE(m_form.calls, QStringList{});
    QCOMPARE(m_form.window.size(), untouchedWindow().size());
    QCOMPARE(describe(m_form.window), describe(untouchedWindow()));
}

void TestSavedFilling::savedFileDecryptsToPlaintext()
{
    fillWorkedExample(m_form);
    m_answers = {QStringLiteral("titok")};
    SavedFilling(m_form, m_cipher, m_folder->path()).SaveFilling();

    const QString prompt = QStringLiteral("input: Kérek egy jelszót! | A jelszó a későbbi visszatöltésnél kell majd:");
    QCOMPARE(m_dialogs, QStringList{prompt});
    const QByteArray content = readFile();
    const QRegularExpression oneBase64Line(QStringLiteral("\\A[A-Za-z0-9+/]+=*\\z"));
    QVERIFY(oneBase64Line.match(QString::fromLatin1(content)).hasMatch());
    QCOMPARE(windows1250::encode(decrypted(QStringLiteral("titok"), content)), workedExampleBytes);
    QCOMPARE(m_form.calls, QStringList{});
}

void TestSavedFilling::saveAndLoadRoundTrip()
{
    m_form[QStringLiteral("Edit2")].text = QStringLiteral("Árvíztűrő tükörfúrógép_Kft.");
    m_form[QStringLiteral("Edit3")].text = QStringLiteral("Kerek$rév");
    m_form[QStringLiteral("PBNumEdit2")].text = QStringLiteral("10");
    m_form[QStringLiteral("LMDMaskEdit32")].text = QStringLiteral("12**");
    m_form[QStringLiteral("DateTimePicker6")].date = QDate(1970, 5, 6);
    m_form[QStringLiteral("LMDRadioGroup7")].optionIndex = 2;
    m_form[QStringLiteral("Edit9")].text = QStringLiteral("egyéb ok");
    const QList<FormComponent> saved = m_form.window;
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    m_answers = {QStringLiteral("jelszó")};
    filling.SaveFilling();

    for (FormComponent &field : m_form.window) {
        field.text = QStringLiteral("changed");
        field.date = QDate(2000, 1, 1);
        field.optionIndex = 0;
    }
    m_dialogs.clear();
    m_answers = {QStringLiteral("jelszó")};
    filling.LoadFilling();

    QCOMPARE(m_dialogs, QStringList{"input: Jelszóellenőrzés | Kérem a jelszót"});
    for (const FormComponent &field : saved) {
        if (!fillingformat::isSavedKind(field.kind))
            continue;
        // A field empty at saving has no line and keeps its later text; every "$" is lost on the way.
        FormComponent expected = field;
        if (fillingformat::valueText(field).isEmpty())
            expected.text = QStringLiteral("changed");
        expected.text.remove(u'$');
        QCOMPARE(describe(m_form[field.name]), describe(expected));
    }
    const QStringList rules{"PBNumEdit5Exit", "LMDRadioGroup7Click", "CheckBox1Click"};
    QCOMPARE(m_form.calls.mid(m_form.calls.size() - 3), rules);
}

void TestSavedFilling::emptyPasswordRoundTrip()
{
    m_form[QStringLiteral("Edit2")].text = QStringLiteral("Minta");
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    m_answers = {QString()};
    filling.SaveFilling();
    QVERIFY(decrypted(QString(), readFile()).contains(QStringLiteral("\r\nEdit2_Minta\r\n")));

    m_form[QStringLiteral("Edit2")].text.clear();
    m_answers = {QString()};
    filling.LoadFilling();
    QCOMPARE(m_form[QStringLiteral("Edit2")].text, QStringLiteral("Minta"));
}

void TestSavedFilling::cancelledSaveKeepsPreviousFile()
{
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    m_answers = {std::nullopt};
    filling.SaveFilling();
    QVERIFY(!QFile::exists(filePath()));

    m_answers = {QStringLiteral("első")};
    filling.SaveFilling();
    const QByteArray previous = readFile();
    m_form[QStringLiteral("Edit2")].text = QStringLiteral("new");
    m_answers = {std::nullopt};
    filling.SaveFilling();
    QCOMPARE(readFile(), previous);
}

void TestSavedFilling::wrongPasswordChangesNothing()
{
    writeFile(fileFor(QStringLiteral("right"), {QStringLiteral("Edit2_x")}));
    m_answers = {QStringLiteral("wrong")};
    SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    QCOMPARE(m_dialogs.constLast(), QStringLiteral("information: Hibás jelszó!           ."));
    QCOMPARE(m_form.calls, QStringList{});
}

void TestSavedFilling::missingFileAsksPasswordFirst()
{
    m_answers = {QStringLiteral("any")};
    SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    const QStringList expected{"input: Jelszóellenőrzés | Kérem a jelszót",
                               "information: Nincs mentés!           ."};
    QCOMPARE(m_dialogs, expected);
    QCOMPARE(m_form.calls, QStringList{});
}

void TestSavedFilling::unreadableFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("not Base64") << QByteArray("KRV!") << "Invalid Base64 Character";
    QTest::newRow("line break inside") << QByteArray("AAAA\r\nAAAA") << "Invalid Base64 Character";
    QTest::newRow("shorter than a block") << QByteArray("AAAA") << "Invalid file format";
}

void TestSavedFilling::unreadableFileChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    writeFile(content);
    m_answers = {QStringLiteral("p")};
    try {
        SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
        QFAIL("no failure");
    } catch (const Exception &error) {
        QCOMPARE(error.message(), message);
    }
    QCOMPARE(m_form.calls, QStringList{});
}

void TestSavedFilling::markerOnlyFileAppliesRulesOnly()
{
    writeFile(fileFor(QStringLiteral("p"), {}));
    m_answers = {QStringLiteral("p")};
    SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    const QStringList rules{"PBNumEdit5Exit", "LMDRadioGroup7Click", "CheckBox1Click"};
    QCOMPARE(m_form.calls, rules);
}

void TestSavedFilling::rulesFollowLoadedStateWhenRecomputationFails()
{
    writeFile(fileFor(QStringLiteral("p"), {QStringLiteral("PBNumEdit2_1,5"), QStringLiteral("LMDRadioGroup7_2")}));
    m_form.recomputationFails = true;
    m_answers = {QStringLiteral("p")};
    try {
        SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
        QFAIL("no failure");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'1,5' is not a valid integer value"));
    }
    const QStringList calls{"set PBNumEdit2", "set LMDRadioGroup7", "PBNumEdit5Exit", "LMDRadioGroup7Click",
                            "CheckBox1Click"};
    QCOMPARE(m_form.calls, calls);
}

void TestSavedFilling::lineEndAfterBase64IsTolerated()
{
    writeFile(fileFor(QStringLiteral("p"), {QStringLiteral("Edit2_x")}) + "\r\n");
    m_answers = {QStringLiteral("p")};
    SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    QCOMPARE(m_form[QStringLiteral("Edit2")].text, QStringLiteral("x"));
}

// A named pipe where the filling belongs: reading it would wait for a writer that never comes, and the
// window would hang. If the save waits all the same, a watchdog opens the pipe's other end after a
// while, so that the test fails instead of hanging.
void TestSavedFilling::pipeInPlaceOfTheFileIsReplacedWithoutWaiting()
{
    QVERIFY(mkfifo(QFile::encodeName(filePath()).constData(), 0600) == 0);
    std::atomic<bool> saved = false;
    std::atomic<bool> waited = false;
    std::thread watchdog([&] {
        for (int tick = 0; tick < 200 && !saved; ++tick)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (saved)
            return;
        waited = true;
        const int writer = ::open(QFile::encodeName(filePath()).constData(), O_RDWR | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    });
    m_answers = {QStringLiteral("p")};
    SavedFilling(m_form, m_cipher, m_folder->path()).SaveFilling();
    saved = true;
    watchdog.join();

    QVERIFY(!waited);
    QVERIFY(QFileInfo(filePath()).isFile());
    m_answers = {QStringLiteral("p")};
    SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    QCOMPARE(m_dialogs.filter(QStringLiteral("information")), QStringList());
}

void TestSavedFilling::unwritableTargetReportsFullPath_data()
{
    QTest::addColumn<bool>("folderIsAFile");
    QTest::newRow("folder is a file") << true;
    QTest::newRow("directory in place of the file") << false;
}

// Tests run as root, where permissions do not stop a write; a path that cannot hold a file does.
void TestSavedFilling::unwritableTargetReportsFullPath()
{
    QFETCH(bool, folderIsAFile);
    QString folder = m_folder->path();
    QString target = filePath();
    if (folderIsAFile) {
        folder = QDir(m_folder->path()).filePath(QStringLiteral("plain-file"));
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        target = QDir(folder).filePath(QStringLiteral("KRVR11007.txt"));
    } else {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("KRVR11007.txt")));
    }

    m_answers = {QStringLiteral("p")};
    try {
        SavedFilling(m_form, m_cipher, folder).SaveFilling();
        QFAIL("no failure");
    } catch (const Exception &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(target)),
                 qPrintable(error.message()));
        QVERIFY2(error.message().size() > target.size() + 23, "no reason given");
    }
    QCOMPARE(QFileInfo(target).isDir(), !folderIsAFile);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
}

void TestSavedFilling::realDialogsAskAndReport()
{
    const MessDlgs::InputBoxFunction inputBoxSeam = MessDlgs::setInputBoxFunction({});
    const MessDlgs::MessageBoxFunction messageBoxSeam = MessDlgs::setMessageBoxFunction({});
    QStringList seen;
    DialogDriver driver({typePassword(seen, QStringLiteral("jelszó")), typePassword(seen, QStringLiteral("rossz")),
                         acknowledge(seen)});
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    filling.SaveFilling();
    filling.LoadFilling();
    MessDlgs::setInputBoxFunction(inputBoxSeam);
    MessDlgs::setMessageBoxFunction(messageBoxSeam);

    const QStringList expected{"Kérek egy jelszót!", "Jelszóellenőrzés", "Hibás jelszó!           ."};
    QCOMPARE(seen, expected);
    QCOMPARE(driver.unexpectedDialogs, QStringList{});
    QVERIFY(decrypted(QStringLiteral("jelszó"), readFile()).startsWith(QStringLiteral("kőfaragók\r\n")));
    QCOMPARE(m_form.calls, QStringList{});
}

void TestSavedFilling::fullDiskKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("limit"); // bytes
    QTest::newRow("no room at all") << "0";
    QTest::newRow("room for a part") << "100";
}

// The write is buffered: the bytes meet the full disk only when they are flushed, after write()
// has reported them all written.
void TestSavedFilling::fullDiskKeepsPreviousFile()
{
    QFETCH(QString, limit);
    m_form[QStringLiteral("Edit2")].text = QStringLiteral("előző");
    m_answers = {QStringLiteral("p")};
    SavedFilling(m_form, m_cipher, m_folder->path()).SaveFilling();
    const QByteArray previous = readFile();

    const ChildResult result = saveInChild(m_folder->path(), QStringLiteral("p"), QString(500, u'x'),
                                           {QStringLiteral("--file-size-limit=") + limit});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.output, QStringLiteral("Cannot create file \"%1\". File too large").arg(filePath()));
    QCOMPARE(readFile(), previous);
    QCOMPARE(folderEntries(m_folder->path()), QStringList{"KRVR11007.txt"});
}

// The same on a file system that is really full: a tmpfs of four pages, which only root may mount.
void TestSavedFilling::fullFileSystemKeepsPreviousFile()
{
    const QString folder = m_folder->path();
    if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=16k", "tmpfs", folder}) != 0)
        QSKIP("a tmpfs cannot be mounted here (root only)");
    const auto unmount = qScopeGuard([&folder] { QProcess::execute(QStringLiteral("umount"), {folder}); });

    SavedFilling filling(m_form, m_cipher, folder);
    m_answers = {QStringLiteral("p")};
    filling.SaveFilling();
    const QByteArray previous = readFile();
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, '\0')) == 4096 && filler.flush()) {
    }
    filler.close();

    m_form[QStringLiteral("Edit2")].text = QString(6000, u'x');
    m_answers = {QStringLiteral("p")};
    try {
        filling.SaveFilling();
        QFAIL("no failure");
    } catch (const Exception &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot create file \"%1\". No space left on device").arg(filePath()));
    }
    QCOMPARE(readFile(), previous);
    QCOMPARE(folderEntries(folder), QStringList({"KRVR11007.txt", "filler"}));
}

void TestSavedFilling::fileCutShortLoadsNothing()
{
    fillWorkedExample(m_form);
    m_answers = {QStringLiteral("p")};
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    filling.SaveFilling();
    const QByteArray whole = readFile();

    // Every cut that leaves whole Base64 groups; others the Base64 decoding refuses already.
    for (qsizetype length = 0; length < whole.size(); length += 4) {
        writeFile(whole.left(length));
        m_answers = {QStringLiteral("p")};
        QString failure;
        try {
            filling.LoadFilling();
        } catch (const Exception &error) {
            failure = error.message();
        }
        const QByteArray where = "cut to " + QByteArray::number(length) + " characters";
        QVERIFY2(failure == QStringLiteral("Invalid file format"), where + ": " + failure.toUtf8());
        QVERIFY2(m_form.calls.isEmpty(), where);
    }
}

void TestSavedFilling::savedDatesComeBackUnchanged_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text"); // as saved

    const QString hungarian = QLocale(QLocale::Hungarian, QLocale::Hungary).dateFormat(QLocale::ShortFormat);
    QTest::newRow("M/d/yy, 2010") << "M/d/yy" << QDate(2010, 1, 1) << "1/1/2010";
    QTest::newRow("M/d/yy, 1910") << "M/d/yy" << QDate(1910, 1, 1) << "1/1/1910";
    QTest::newRow("M/d/yy, leap day 2000") << "M/d/yy" << QDate(2000, 2, 29) << "2/29/2000";
    QTest::newRow("dd.MM.yy, 1929") << "dd.MM.yy" << QDate(1929, 12, 31) << "31.12.1929";
    QTest::newRow("dd.MM.yy, earliest") << "dd.MM.yy" << QDate(1752, 9, 14) << "14.09.1752";
    QTest::newRow("dd.MM.yy, latest") << "dd.MM.yy" << QDate(9999, 12, 31) << "31.12.9999";
    QTest::newRow("quoted yy is text") << "d MMMM 'yy' yy" << QDate(2000, 2, 29) << "29 February yy 2000";
    QTest::newRow("Hungarian, file unchanged") << "yyyy.MM.dd." << QDate(2000, 2, 29) << "2000.02.29.";
    QTest::newRow("Hungarian system format, file unchanged")
        << hungarian << QDate(2010, 12, 31) << QDate(2010, 12, 31).toString(hungarian);
}

// A date saved under a format with two-digit years came back a hundred years early, or not at all.
void TestSavedFilling::savedDatesComeBackUnchanged()
{
    QFETCH(QString, format);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    RegionalSettings settings;
    settings.shortDateFormat = format;
    Regional::instance().setSettings(settings);
    m_form[QStringLiteral("DateTimePicker6")].date = date;
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    m_answers = {QStringLiteral("p")};
    filling.SaveFilling();
    const QString plaintext = decrypted(QStringLiteral("p"), readFile());
    QVERIFY2(plaintext.contains(QStringLiteral("\r\nDateTimePicker6_%1\r\n").arg(text)), qPrintable(plaintext));

    m_form[QStringLiteral("DateTimePicker6")].date = QDate(2005, 5, 5);
    m_answers = {QStringLiteral("p")};
    filling.LoadFilling();
    QCOMPARE(m_form[QStringLiteral("DateTimePicker6")].date, date);
}

void TestSavedFilling::twoDigitYearsLoadInTheirCentury_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: the text is no date

    QTest::newRow("10 is 2010") << "M/d/yy" << "1/1/10" << QDate(2010, 1, 1);
    QTest::newRow("00 is a leap year") << "M/d/yy" << "2/29/00" << QDate(2000, 2, 29);
    QTest::newRow("29 is the last of the 2000s") << "M/d/yy" << "12/31/29" << QDate(2029, 12, 31);
    QTest::newRow("30 is the first of the 1900s") << "M/d/yy" << "1/1/30" << QDate(1930, 1, 1);
    QTest::newRow("dd.MM.yy") << "dd.MM.yy" << "29.02.00" << QDate(2000, 2, 29);
    QTest::newRow("four digits under a two-digit format") << "dd.MM.yy" << " 31.12.1999 " << QDate(1999, 12, 31);
    QTest::newRow("two digits under a four-digit format") << "yyyy.MM.dd." << "10.01.31." << QDate(2010, 1, 31);
    QTest::newRow("month name, quoted yy is text") << "d MMMM 'yy' yy" << "29 February yy 00" << QDate(2000, 2, 29);
    QTest::newRow("no 29 February in 2001") << "M/d/yy" << "2/29/01" << QDate();
    QTest::newRow("three-digit year") << "M/d/yy" << "1/1/100" << QDate();
}

void TestSavedFilling::twoDigitYearsLoadInTheirCentury()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    if (date.isValid())
        QCOMPARE(saveddate::parseDateText(text, format), date);
    else
        QVERIFY_THROWS_EXCEPTION(EConvertError, saveddate::parseDateText(text, format));
}

void TestSavedFilling::cancelledLoadReadsNothing()
{
    writeFile("KRV!"); // read, it would fail
    m_answers = {std::nullopt};
    SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    QCOMPARE(m_dialogs, QStringList{"input: Jelszóellenőrzés | Kérem a jelszót"});
    QCOMPARE(m_form.calls, QStringList{});
}

void TestSavedFilling::realPasswordBoxCancelsLoad_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "Cancel";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("close box") << "close box";
}

void TestSavedFilling::realPasswordBoxCancelsLoad()
{
    QFETCH(QString, how);
    writeFile(fileFor(QString(), {QStringLiteral("Edit2_betöltve")}));
    const MessDlgs::InputBoxFunction inputBoxSeam = MessDlgs::setInputBoxFunction({});
    const MessDlgs::MessageBoxFunction messageBoxSeam = MessDlgs::setMessageBoxFunction({});
    QStringList seen;
    DialogDriver driver({cancelWith(seen, how)});
    SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    MessDlgs::setInputBoxFunction(inputBoxSeam);
    MessDlgs::setMessageBoxFunction(messageBoxSeam);

    QCOMPARE(seen, QStringList{"Jelszóellenőrzés"});
    QCOMPARE(driver.unexpectedDialogs, QStringList{});
    QCOMPARE(m_form.calls, QStringList{});
}

void TestSavedFilling::oversizedFileRefusedAtOnce_data()
{
    QTest::addColumn<int>("lines"); // "Edit2_..." lines of a filling under the password; 0 for 100 MB of Base64
    QTest::addColumn<bool>("loads");
    QTest::newRow("100 MB") << 0 << false;
    QTest::newRow("just over 1 MiB of lines") << 90000 << false;
    QTest::newRow("just under 1 MiB of lines") << 85000 << true;
}

// A filling is a few kilobytes; a large or crafted file kept the window frozen for most of a minute.
void TestSavedFilling::oversizedFileRefusedAtOnce()
{
    QFETCH(int, lines);
    QFETCH(bool, loads);
    const qint64 bound = 1024 * 1024;
    if (lines == 0) {
        QFile file(filePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray base64(1024 * 1024, 'A');
        for (int megabyte = 0; megabyte < 100; ++megabyte)
            QCOMPARE(file.write(base64), base64.size());
    } else {
        QStringList fieldLines;
        for (int line = 0; line < lines; ++line)
            fieldLines.append(QStringLiteral("Edit2_%1").arg(line % 10));
        fieldLines.append(QStringLiteral("edit2_utolsó"));
        writeFile(fileFor(QStringLiteral("p"), fieldLines));
        QCOMPARE(QFileInfo(filePath()).size() <= bound, loads);
    }

    m_answers = {QStringLiteral("p")};
    QString failure;
    QElapsedTimer timer;
    timer.start();
    try {
        SavedFilling(m_form, m_cipher, m_folder->path()).LoadFilling();
    } catch (const Exception &error) {
        failure = error.message();
    }
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    if (loads) {
        QCOMPARE(failure, QString());
        // Each line was set in turn; only the last one's value shows, so the field is written once.
        QCOMPARE(m_form[QStringLiteral("Edit2")].text, QStringLiteral("utolsó"));
        QCOMPARE(m_form.calls.count(QStringLiteral("set Edit2")), 1);
    } else {
        QCOMPARE(failure, QStringLiteral("Invalid file format"));
        QCOMPARE(m_form.calls, QStringList{});
    }
}

void TestSavedFilling::saveRefusesAFillingTooLargeToLoad()
{
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    m_answers = {QStringLiteral("p")};
    filling.SaveFilling();
    const QByteArray previous = readFile();

    m_form[QStringLiteral("Edit2")].text = QString(800000, u'x');
    m_answers = {QStringLiteral("p")};
    try {
        filling.SaveFilling();
        QFAIL("no failure");
    } catch (const Exception &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot create file \"%1\". File too large").arg(filePath()));
    }
    QCOMPARE(readFile(), previous);
}

void TestSavedFilling::longValueQuotedShort_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString shown = QString(50, u'7') + QStringLiteral("...");
    QTest::newRow("date") << "DateTimePicker3" << QStringLiteral("'%1' is not a valid date").arg(shown);
    QTest::newRow("option") << "LMDRadioGroup7" << QStringLiteral("'%1' is not a valid integer value").arg(shown);
}

// A million-character value took 18 s to report, in a box far larger than the screen.
void TestSavedFilling::longValueQuotedShort()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const QStringList fieldLines{name + u'_' + QString(1000000, u'7')};
    QElapsedTimer timer;
    timer.start();
    try {
        fillingformat::loadedValues(fieldLines, untouchedWindow());
        QFAIL("no failure");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), message);
    }
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
}

void TestSavedFilling::unwritableFolderWritesTheFileInPlace_data()
{
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<bool>("inPlace"); // otherwise replaced, or not written at all when it fails
    QTest::newRow("folder refuses a temporary file") << false << true << true;
    QTest::newRow("writable folder: replaced whole") << true << true << false;
    QTest::newRow("neither writable") << false << false << false;
}

// An administrator granted write access to the file in a folder the user cannot write.
void TestSavedFilling::unwritableFolderWritesTheFileInPlace()
{
    QFETCH(bool, folderWritable);
    QFETCH(bool, fileWritable);
    QFETCH(bool, inPlace);
    // Root passes every permission check, so the child then takes the rights of an unprivileged user,
    // for whom the root-owned folder and file are writable only when they are writable for all.
    const bool asRoot = ::geteuid() == 0;
    const QStringList limits = asRoot ? QStringList{QStringLiteral("--as-user=65534")} : QStringList{};
    const mode_t fileMode = asRoot ? (fileWritable ? 0666 : 0644) : (fileWritable ? 0644 : 0444);
    const mode_t folderMode = asRoot ? (folderWritable ? 0777 : 0755) : (folderWritable ? 0755 : 0555);

    writeFile(fileFor(QStringLiteral("p"), {QStringLiteral("Edit2_régi")}));
    const QByteArray previous = readFile();
    QCOMPARE(::chmod(QFile::encodeName(filePath()).constData(), fileMode), 0);
    QCOMPARE(::chmod(QFile::encodeName(m_folder->path()).constData(), folderMode), 0);
    const ino_t previousInode = fileStatus(filePath()).st_ino;

    const ChildResult result = saveInChild(m_folder->path(), QStringLiteral("p"), QStringLiteral("új"), limits);
    QCOMPARE(::chmod(QFile::encodeName(m_folder->path()).constData(), 0700), 0);

    if (!fileWritable && !folderWritable) {
        QCOMPARE(result.exitCode, 1);
        const QString reason = QStringLiteral("Existing file %1 is not writable").arg(filePath());
        QCOMPARE(result.output, QStringLiteral("Cannot create file \"%1\". %2").arg(filePath(), reason));
        QCOMPARE(readFile(), previous);
        return;
    }
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(decrypted(QStringLiteral("p"), readFile()).endsWith(QStringLiteral("\r\nEdit2_új\r\n")));
    QCOMPARE(fileStatus(filePath()).st_ino == previousInode, inPlace);
    QCOMPARE(fileStatus(filePath()).st_mode & 0777, fileMode);
    QCOMPARE(folderEntries(m_folder->path()), QStringList{"KRVR11007.txt"});
}

// Written in place, the file has no copy beside it: when the disk is full part-way, what it held is put
// back. The limit leaves room for the previous filling, which the freed space holds again on a real disk.
void TestSavedFilling::fullDiskPutsBackTheFileWrittenInPlace()
{
    const bool asRoot = ::geteuid() == 0;
    writeFile(fileFor(QStringLiteral("p"), {QStringLiteral("Edit2_régi")}));
    const QByteArray previous = readFile();
    QCOMPARE(::chmod(QFile::encodeName(filePath()).constData(), asRoot ? 0666 : 0644), 0);
    QCOMPARE(::chmod(QFile::encodeName(m_folder->path()).constData(), asRoot ? 0755 : 0555), 0);
    QStringList limits{QStringLiteral("--file-size-limit=%1").arg(previous.size())};
    if (asRoot)
        limits << QStringLiteral("--as-user=65534");

    const ChildResult result = saveInChild(m_folder->path(), QStringLiteral("p"), QString(500, u'x'), limits);
    QCOMPARE(::chmod(QFile::encodeName(m_folder->path()).constData(), 0700), 0);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.output, QStringLiteral("Cannot create file \"%1\". File too large").arg(filePath()));
    QCOMPARE(readFile(), previous);
    QCOMPARE(folderEntries(m_folder->path()), QStringList{"KRVR11007.txt"});
}

// It holds a tax declaration under a weak, unsalted password digest.
void TestSavedFilling::newFileIsForItsOwnerOnly()
{
    SavedFilling filling(m_form, m_cipher, m_folder->path());
    const mode_t previousMask = ::umask(022);
    m_answers = {QStringLiteral("p")};
    filling.SaveFilling();
    ::umask(previousMask);
    QCOMPARE(fileStatus(filePath()).st_mode & 0777, mode_t(0600));

    QVERIFY(::chmod(QFile::encodeName(filePath()).constData(), 0640) == 0);
    m_answers = {QStringLiteral("p")};
    filling.SaveFilling();
    QCOMPARE(fileStatus(filePath()).st_mode & 0777, mode_t(0640));
}

void TestSavedFilling::fileSystemWithoutModesStillSaves_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("new file") << false;
    QTest::newRow("file saved before") << true;
}

// A FAT stick mounted for another owner refuses the owner-only mode of the file; the filling is saved
// all the same, and the file system's own settings decide who may read it.
void TestSavedFilling::fileSystemWithoutModesStillSaves()
{
    QFETCH(bool, fileExists);
    if (fileExists)
        writeFile(fileFor(QStringLiteral("p"), {QStringLiteral("Edit2_régi")}));

    const ChildResult result = saveInChild(m_folder->path(), QStringLiteral("p"), QStringLiteral("új"),
                                           {QStringLiteral("--refuse-file-modes")});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(decrypted(QStringLiteral("p"), readFile()).endsWith(QStringLiteral("\r\nEdit2_új\r\n")));
    QCOMPARE(folderEntries(m_folder->path()), QStringList{"KRVR11007.txt"});
}

// A save killed between writing its temporary file and renaming it leaves the temporary behind.
void TestSavedFilling::saveRemovesLeftoverTemporaries()
{
    const QStringList leftovers{"KRVR11007.txt.AbC123", "KRVR11007.txt.zzzzzz"};
    const QStringList others{"KRVR11007.txt.ABCDEFG", "KRVR11007.txt.AB-123", "KRVR11007.txt.bak",
                             "KRVR11008.txt.ABCDEF", "krvr11007.txt.ABCDEF"};
    for (const QString &name : leftovers + others) {
        QFile file(QDir(m_folder->path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    m_answers = {QStringLiteral("p")};
    SavedFilling(m_form, m_cipher, m_folder->path()).SaveFilling();

    QStringList expected = others + QStringList{"KRVR11007.txt"};
    expected.sort();
    QCOMPARE(folderEntries(m_folder->path()), expected);
}

QTEST_MAIN(TestSavedFilling)
#include "tst_savedfilling.moc"
