#pragma once

#include <QString>

#include <functional>

namespace tavlo {

class Table;

// The status text and progress that each terminal row shows during a run,
// kept in the row's own columns Aciklama and TransferDurumu. Rows are found
// by RecId; a row that no longer exists is left out without a word.
class TransferStatus {
public:
    static constexpr auto kLinking = "Baglantı Kuruluyor";
    static constexpr auto kReading = "Bilgiler Aktarılıyor...";
    static constexpr auto kCompleted = "Aktarım Tamamlandı";
    static constexpr auto kNotLinked = "Bağlantı kurulamadı";
    static constexpr auto kInterrupted = "Aktarım yarıda kesildi";
    // The lines are saved, but the terminal's acknowledgement never came:
    // the next run confirms those records before it reads again.
    static constexpr auto kUnconfirmed = "Aktarıldı, onay bekliyor";

    // `repaint` makes the grids show the change at once.
    TransferStatus(Table& terminals, std::function<void()> repaint);

    // Leaves the table on that row.
    void setStatusText(qint32 recId, const QString& text);
    // Writes the row only when the new progress differs from the shown one.
    void setProgress(qint32 recId, qint32 progress, qint32 shownProgress);
    // Both keep the current row.
    void resetProgress();
    void clearStatusTexts();

private:
    Table& terminals_;
    std::function<void()> repaint_;
};

}  // namespace tavlo
