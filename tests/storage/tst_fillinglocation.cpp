#include "dialogs/dialogs.h"
#include "storage/cipher/lbrijndael.h"
#include "storage/fillinglocation.h"
#include "storage/savedfilling.h"
#include "tests/support/onefieldform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;
constexpr QFileDevice::Permissions ownerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions ownerWritesOthersRead = ownerOnly | QFileDevice::ReadGroup
    | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

// A program installed for all users: the user may read the executable's folder but not write it, and
// owns a home folder. Run as root, the test takes the identity of "nobody" meanwhile, since root
// writes any folder; otherwise the executable's folder is made read-only.
class ReadOnlyProgramFolder
{
public:
    ReadOnlyProgramFolder(const QString &executableFolder, const QString &home)
        : m_executableFolder(executableFolder)
    {
        if (geteuid() == 0) {
            m_actsAsNobody = chown(QFile::encodeName(home).constData(), nobody, nobody) == 0 && setegid(nobody) == 0
                && seteuid(nobody) == 0;
        } else {
            QFile::setPermissions(executableFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
    }
    ~ReadOnlyProgramFolder()
    {
        if (m_actsAsNobody) {
            (void)!seteuid(0);
            (void)!setegid(0);
        } else {
            QFile::setPermissions(m_executableFolder, ownerWritesOthersRead);
        }
    }
    ReadOnlyProgramFolder(const ReadOnlyProgramFolder &) = delete;
    ReadOnlyProgramFolder &operator=(const ReadOnlyProgramFolder &) = delete;

private:
    QString m_executableFolder;
    bool m_actsAsNobody = false;
};

} // namespace

class TestFillingLocation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void loadFindsWhatSaveWrote_data();
    void loadFindsWhatSaveWrote();
    void readOnlyCopyLoadsFillingKeptBesideIt();

private:
    QString executableFolder() const { return m_base->filePath(QStringLiteral("bin")); }
    QString home() const { return m_base->filePath(QStringLiteral("home")); }
    QString dataFolder() const { return home() + QStringLiteral("/.local/share/krv11007"); }
    // What `cmake --install` leaves beside the bin folder.
    void installLauncherEntry() const
    {
        QVERIFY(QDir(m_base->path()).mkpath(QStringLiteral("share/applications")));
        QFile entry(m_base->filePath(QStringLiteral("share/applications/krv11007.desktop")));
        QVERIFY(entry.open(QIODevice::WriteOnly));
    }

    std::unique_ptr<QTemporaryDir> m_base;
    QString m_password;
};

void TestFillingLocation::initTestCase()
{
    MessDlgs::setInputBoxFunction([this](const QString &, const QString &, const QString &) {
        return std::optional<QString>(m_password);
    });
    MessDlgs::setMessageBoxFunction([](const MessDlgs::MessageBoxRequest &request) -> int {
        throw std::logic_error("unexpected message: " + request.text.toStdString());
    });
}

void TestFillingLocation::init()
{
    m_base = std::make_unique<QTemporaryDir>();
    QVERIFY(m_base->isValid());
    // The user under test must reach the folders inside.
    QVERIFY(QFile::setPermissions(m_base->path(), ownerWritesOthersRead));
    QVERIFY(QDir(m_base->path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(m_base->path()).mkpath(QStringLiteral("home")));
    m_password = QStringLiteral("titok");
}

void TestFillingLocation::loadFindsWhatSaveWrote_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("expectDataFolder");
    QTest::newRow("build folder: beside the executable") << false << true << false;
    QTest::newRow("portable copy on a read-only folder: the data folder") << false << false << true;
    QTest::newRow("installed for all users: the data folder") << true << false << true;
    QTest::newRow("installed into the user's own prefix: the data folder") << true << true << true;
}

void TestFillingLocation::loadFindsWhatSaveWrote()
{
    QFETCH(bool, installed);
    QFETCH(bool, writable);
    QFETCH(bool, expectDataFolder);

    if (installed)
        installLauncherEntry();
    OneFieldForm saved;
    saved.name = QStringLiteral("Minta Kft.");
    OneFieldForm loaded;
    TLbRijndael cipher;
    {
        std::optional<ReadOnlyProgramFolder> program;
        if (!writable)
            program.emplace(executableFolder(), home());
        const QString folder = fillinglocation::chooseFolder(executableFolder(), dataFolder());
        fillinglocation::prepareFolder(folder);
        SavedFilling(saved, cipher, folder).SaveFilling();

        const QString again = fillinglocation::chooseFolder(executableFolder(), dataFolder());
        SavedFilling(loaded, cipher, again).LoadFilling();
    }

    QCOMPARE(loaded.name, saved.name);
    const QString fileName = QStringLiteral("/KRVR11007.txt");
    QCOMPARE(QFile::exists(dataFolder() + fileName), expectDataFolder);
    QCOMPARE(QFile::exists(executableFolder() + fileName), !expectDataFolder);
    if (expectDataFolder)
        QCOMPARE(QFile::permissions(dataFolder()) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
                 ownerOnly);
}

// A copy on a stick that has since become read-only, or in a shared folder that others save into: the
// filling beside it loads, until the user's own save in the data folder takes its place.
void TestFillingLocation::readOnlyCopyLoadsFillingKeptBesideIt()
{
    OneFieldForm kept;
    kept.name = QStringLiteral("Minta Kft.");
    TLbRijndael cipher;
    QCOMPARE(fillinglocation::chooseFolder(executableFolder(), dataFolder()), executableFolder());
    QCOMPARE(fillinglocation::loadFallbackFolder(executableFolder(), executableFolder()), QString());
    SavedFilling(kept, cipher, executableFolder()).SaveFilling();
    // Readable by the user under test, as on a file system without modes or for the user who saved it.
    QVERIFY(QFile::setPermissions(executableFolder() + QStringLiteral("/KRVR11007.txt"),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));

    OneFieldForm loaded;
    OneFieldForm reloaded;
    OneFieldForm own;
    own.name = QStringLiteral("Saját Bt.");
    {
        ReadOnlyProgramFolder program(executableFolder(), home());
        const QString folder = fillinglocation::chooseFolder(executableFolder(), dataFolder());
        QCOMPARE(folder, dataFolder());
        const QString fallback = fillinglocation::loadFallbackFolder(executableFolder(), folder);
        QCOMPARE(fallback, executableFolder());

        SavedFilling(loaded, cipher, folder, fallback).LoadFilling();
        fillinglocation::prepareFolder(folder);
        SavedFilling(own, cipher, folder, fallback).SaveFilling();
        SavedFilling(reloaded, cipher, folder, fallback).LoadFilling();
    }
    QCOMPARE(loaded.name, kept.name);
    QCOMPARE(reloaded.name, own.name);

    installLauncherEntry();
    QCOMPARE(fillinglocation::loadFallbackFolder(executableFolder(), dataFolder()), QString());
}

QTEST_GUILESS_MAIN(TestFillingLocation)
#include "tst_fillinglocation.moc"
