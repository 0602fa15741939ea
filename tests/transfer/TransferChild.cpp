// A transfer run in a process of its own that is killed at a chosen moment,
// so that tests see what a run killed midway leaves behind. The process
// sends itself SIGKILL: nothing of it runs any more, no link is closed and
// no file is flushed by it; the kernel only closes its descriptors, as with
// a program killed from outside or a power cut on the PC's side.
//
//   transfer-child TERMINALS APPLICATION_FOLDER MOVEMENT_FILE DATE CIHAZNO PROGRESS [FILE_SIZE]
//
// TERMINALS is a terminal list file; the process kills itself at the first
// repaint at which the row of CIHAZNO reads its records and shows at least
// PROGRESS (CIHAZNO 0: never). With FILE_SIZE no file of the process may
// grow beyond that many bytes, and the kernel kills the process (SIGXFSZ)
// in the write that passes the limit, halfway through it. It ends with 0
// when the run ended without such a moment, and with 1 when the run failed.

#include "platform/Error.h"
#include "store/DataModul.h"
#include "terminal/TSBXPC.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferStatus.h"

#include <QDate>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace tavlo;

class KillingView final : public TransferView {
public:
    KillingView(const Table& terminals, qint32 cihazNo, qint32 progress)
        : terminals_(terminals), cihazNo_(cihazNo), progress_(progress)
    {
    }

    void processMessages() override {}
    void repaint() override
    {
        const int number = *terminals_.findField("CihazNo");
        const int text = *terminals_.findField("Aciklama");
        const int progress = *terminals_.findField("TransferDurumu");
        for (int row = 0; row < terminals_.rowCount(); ++row)
            if (terminals_.value(row, number).toInt() == cihazNo_
                && terminals_.value(row, text).toString() == QString::fromUtf8(TransferStatus::kReading)
                && terminals_.value(row, progress).toInt() >= progress_)
                ::kill(::getpid(), SIGKILL);
    }

private:
    const Table& terminals_;
    qint32 cihazNo_;
    qint32 progress_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7 && argc != 8) {
        std::fputs("usage: transfer-child TERMINALS APPLICATION_FOLDER MOVEMENT_FILE DATE CIHAZNO PROGRESS"
                   " [FILE_SIZE]\n",
                   stderr);
        return 2;
    }
    if (argc == 8) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(QByteArray(argv[7]).toLongLong());
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            std::perror("transfer-child: setrlimit");
            return 2;
        }
    }
    try {
        TDataModul data;
        data.CihazTable.open();
        data.CihazTable.LoadTableFile(QString::fromLocal8Bit(argv[1]));
        TSBXPC control;
        TransferSettings settings;
        settings.applicationDirectory = QString::fromLocal8Bit(argv[2]);
        settings.movementFilePath = QString::fromLocal8Bit(argv[3]);
        settings.entryCode = "1";
        settings.exitCode = "0";
        settings.today = QDate::fromString(QString::fromLatin1(argv[4]), Qt::ISODate);
        KillingView view(data.CihazTable, QByteArray(argv[5]).toInt(), QByteArray(argv[6]).toInt());
        TransferRun(data.CihazTable, control, settings, view).run();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "transfer-child: %s\n", e.what());
        return 1;
    }
}
