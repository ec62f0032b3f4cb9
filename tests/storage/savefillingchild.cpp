#include "common/exception.h"
#include "dialogs/dialogs.h"
#include "storage/cipher/lbrijndael.h"
#include "storage/savedfilling.h"
#include "tests/support/onefieldform.h"

#include <QByteArray>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstddef>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

// Saves one filling in a process of its own, under limits that the saved-filling test cannot put on
// itself: a file size limit (as a full disk is met), another user's rights, or a file system that keeps
// no Unix modes.
//
//     savefillingchild FOLDER PASSWORD TEXT [--file-size-limit=BYTES] [--as-user=UID] [--refuse-file-modes]
//
// The filling holds TEXT in Edit2. Exit status 0 when the save reports success, 1 with the failure's
// message on standard output when it throws, 2 when the limits cannot be set.

namespace {

// A FAT or exFAT stick mounted for another owner refuses to change a file's mode. A seccomp filter
// lets every such change fail with EPERM, as there.
bool refuseFileModes()
{
    const std::vector<long> modeChanges{
        SYS_fchmod, SYS_fchmodat,
#ifdef SYS_chmod
        SYS_chmod,
#endif
#ifdef SYS_fchmodat2
        SYS_fchmodat2,
#endif
    };
    std::vector<sock_filter> program{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    for (const long call : modeChanges) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
        && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter, 0, 0) == 0;
}

bool applyLimit(const QByteArray &argument)
{
    if (argument.startsWith("--file-size-limit=")) {
        // Ignored, the signal lets the write fail with EFBIG as on a full disk, instead of killing us.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t bytes = argument.mid(18).toULongLong();
        const rlimit limit{bytes, bytes};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    if (argument.startsWith("--as-user=")) {
        const uid_t user = argument.mid(10).toUInt();
        return setgroups(0, nullptr) == 0 && setgid(user) == 0 && setuid(user) == 0;
    }
    if (argument == "--refuse-file-modes")
        return refuseFileModes();
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    for (int index = 4; index < argc; ++index) {
        if (!applyLimit(QByteArray(argv[index])))
            return 2;
    }
    const QString password = QString::fromUtf8(argv[2]);
    MessDlgs::setInputBoxFunction([password](const QString &, const QString &, const QString &) { return password; });

    OneFieldForm form;
    form.name = QString::fromUtf8(argv[3]);
    TLbRijndael cipher;
    try {
        SavedFilling(form, cipher, QString::fromLocal8Bit(argv[1])).SaveFilling();
    } catch (const Exception &failure) {
        std::fputs(failure.message().toUtf8().constData(), stdout);
        return 1;
    }
    return 0;
}
