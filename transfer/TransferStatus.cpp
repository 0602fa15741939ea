#include "transfer/TransferStatus.h"

#include "store/Table.h"

namespace tavlo {

TransferStatus::TransferStatus(Table& terminals, std::function<void()> repaint)
    : terminals_(terminals), repaint_(std::move(repaint))
{
}

void TransferStatus::setStatusText(qint32 recId, const QString& text)
{
    if (!terminals_.locate(QStringLiteral("RecId"), recId))
        return;
    terminals_.edit();
    terminals_.setString(QStringLiteral("Aciklama"), text);
    terminals_.post();
    terminals_.refresh();
    repaint_();
}

void TransferStatus::setProgress(qint32 recId, qint32 progress, qint32 shownProgress)
{
    if (progress == shownProgress)
        return;
    if (!terminals_.locate(QStringLiteral("RecId"), recId))
        return;
    terminals_.edit();
    terminals_.setInteger(QStringLiteral("TransferDurumu"), progress);
    terminals_.post();
    terminals_.refresh();
    repaint_();
}

void TransferStatus::resetProgress()
{
    const Table::Bookmark current = terminals_.bookmark();
    for (terminals_.first(); !terminals_.eof(); terminals_.next()) {
        terminals_.edit();
        terminals_.setInteger(QStringLiteral("TransferDurumu"), 0);
        terminals_.post();
    }
    terminals_.gotoBookmark(current);
    terminals_.refresh();
}

void TransferStatus::clearStatusTexts()
{
    for (terminals_.first(); !terminals_.eof(); terminals_.next()) {
        terminals_.edit();
        terminals_.setString(QStringLiteral("Aciklama"), QString());
        terminals_.post();
        terminals_.refresh();
    }
    repaint_();
}

}  // namespace tavlo
