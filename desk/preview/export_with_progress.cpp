// Running an export filter on a worker thread under a progress dialog.
#include "desk/preview/export_with_progress.h"

#include "desk/long_run_gate.h"

#include <QEventLoop>
#include <QFile>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <exception>
#include <string>
#include <utility>

#include "host/progress/run_progress.h"
#include "host/report/report_export.h"
#include "host/stop/stop_request.h"

namespace desk {

ExportOutcome exportWithProgress(QWidget* parent, std::shared_ptr<const host::PageFile> report,
                                 const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    const int pages = report->pageCount();
    if (!LongRunGate::tryEnter())
        return {false, QStringLiteral("Идет формирование отчета; печатную форму можно сохранить, когда оно закончится.")};
    struct Leave {
        ~Leave() { LongRunGate::leave(); }
    } leave;
    // The page file is read without a shared file position, so the thread reads it beside the window.
    std::exception_ptr failure;
    std::unique_ptr<QThread> worker(QThread::create([report, file, &failure] {
        try {
            host::exportReport(*report, file);
        } catch (...) {
            failure = std::current_exception();
        }
    }));

    QProgressDialog progress(QStringLiteral("Сохранение печатной формы…"), QStringLiteral("Прервать"), 0, pages, parent);
    progress.setWindowTitle(QStringLiteral("Сохранение"));
    progress.setWindowModality(Qt::WindowModal);
    // A small report is written before a dialog could be read.
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    bool cancelled = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
        if (cancelled) return;
        cancelled = true;
        host::requestStop(0);
        progress.setLabelText(QStringLiteral("Сохранение прерывается…"));
    });
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
        const host::RunProgressReading reading = host::readProgress();
        if (reading.stage == host::RunStage::Exporting)
            progress.setValue(static_cast<int>(std::clamp<std::int64_t>(reading.count, 0, pages)));
    });

    QEventLoop waiting;
    QObject::connect(worker.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    worker->start();
    poll.start();
    waiting.exec();
    worker->wait();
    poll.stop();
    progress.reset();
    host::enterStage(host::RunStage::Idle);

    ExportOutcome outcome;
    if (cancelled) host::clearStopRequest();
    if (!failure) return outcome;
    try {
        std::rethrow_exception(failure);
    } catch (const host::StopRequested&) {
        outcome.cancelled = true;
    } catch (const std::exception& e) {
        outcome.failure = QString::fromUtf8(e.what());
    } catch (...) {
        outcome.failure = QStringLiteral("неизвестная ошибка");
    }
    return outcome;
}

}  // namespace desk
