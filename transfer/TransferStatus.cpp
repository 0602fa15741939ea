#include "transfer/TransferStatus.h"

#include "store/Table.h"

namespace tavlo {

TransferStatus::TransferStatus(Table& terminals, std::function<void()> repaint)
    : terminals_(terminals), repaint_(std::move(repaint))
{
}

void TransferStatus::setStatusText(qint32 recId, const QString& text)
{
    if (!terminals_.locate(RecId, recId))
        return;
    terminals_.edit();
    terminals_.set(Cihaz::Aciklama, text);
    terminals_.post();
    terminals_.refresh();
    repaint_();
}

void TransferStatus::setProgress(qint32 recId, qint32 progress, qint32 shownProgress)
{
    if (progress == shownProgress)
        return;
    if (!terminals_.locate(RecId, recId))
        return;
    terminals_.edit();
    terminals_.set(Cihaz::TransferDurumu, progress);
    terminals_.post();
    terminals_.refresh();
    repaint_();
}

void TransferStatus::resetProgress()
{
    terminals_.editEveryRow([](Table& row) { row.set(Cihaz::TransferDurumu, 0); });
}

void TransferStatus::clearStatusTexts()
{
    terminals_.editEveryRow([](Table& row) { row.set(Cihaz::Aciklama, QString()); });
    repaint_();
}

}  // namespace tavlo
