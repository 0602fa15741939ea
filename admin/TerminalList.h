#pragma once

#include <QString>

namespace tavlo {

class ProgramContext;
class Table;

// The terminal list as the operator keeps it from the "Cihaz Ayarları" page:
// a row added or edited through the terminal dialog, the current row deleted,
// and the whole list written to its file after every confirmed change. There
// is no other save; nothing is checked for being unique or well formed.
//
// A row left pending (the dialog closed by its frame) is posted by the next
// operation here, as by any other move of the table, and reaches the file
// with the next save.
class TerminalList {
public:
    static constexpr auto kDeleteQuestion = "Bu cihazı silmek istediğinizden emin misiniz?";
    // The start of a new terminal's name, followed by its number.
    static constexpr auto kNamePrefix = "Cihaz";

    TerminalList(Table& terminals, QString file);
    // The program's list: CihazTable and Cihazlar.Dat in the application folder.
    explicit TerminalList(ProgramContext& context);

    // "Cihaz Ekle", before the dialog opens: a new row at the end, current
    // and being inserted, given a new terminal's values. Nothing is written.
    void beginAdd();
    // "Düzenle": the current row being edited; on an empty list, a new empty
    // row being inserted instead.
    void beginEdit();
    // "Kaydet ve Kapat": posts the row being added or edited and writes the
    // list. A failed write raises its error; the row stays posted.
    void commit();
    // "İptal": an added row disappears, an edited row gets its earlier
    // values back. The file is not written.
    void discard();
    // "Sil": asks the "UYARI" question and, on Yes, deletes the current row
    // (the next becomes current) and writes the list. An empty list raises
    // the table's error and writes nothing. False when not confirmed.
    bool remove();
    // Writes the whole list to its file, a pending row posted first.
    void save();

private:
    void settlePending();

    Table& terminals_;
    QString file_;
};

}  // namespace tavlo
