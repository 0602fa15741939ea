#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavlo {

class BoundPickList;
class BoundSpinEdit;
class BoundTextEdit;
class ProgramContext;
class TerminalList;

// The terminal dialog "Cihaz Ekle / Düzenle": one editor per field of the
// terminal list's current row, bound to it, over "Kaydet ve Kapat" and
// "İptal". The main window adds a row or starts editing one, makes a fresh
// dialog on it, shows it modally and destroys it when it has closed.
//
// Escape is "İptal". A close by the window's frame only ends the dialog: the
// row stays pending as it stands, and nothing is posted, cancelled or
// written; the next operation on the list posts it.
class TCihazForm : public QDialog {
    Q_OBJECT
public:
    explicit TCihazForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TCihazForm() override;

    // Sets the "Gir-Çık Durumu" selector, and with it the row's GCTip.
    void setGCDurum(qint32 value);

    // Handlers, each run behind the guard that shows an error's message.
    // "Kaydet ve Kapat": posts the row and saves the list; a failed save
    // keeps the dialog open.
    void cxButton2Click();
    // "İptal": discards the row's pending change.
    void cxButton1Click();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TerminalList terminalList() const;
    QLabel* addLabelled(const QString& caption, QWidget* editor);

    ProgramContext& context_;

    BoundSpinEdit* CihazNoEdit = nullptr;
    BoundTextEdit* CihazAdiEdit = nullptr;
    BoundSpinEdit* MakineNoEdit = nullptr;
    BoundPickList* BaglantiTipiEdit = nullptr;
    BoundTextEdit* IPAdresEdit = nullptr;
    BoundSpinEdit* IPPortEdit = nullptr;
    BoundTextEdit* ParolaEdit = nullptr;
    BoundPickList* GCDurumEdit = nullptr;
    QPushButton* cxButton2 = nullptr;
    QPushButton* cxButton1 = nullptr;
};

}  // namespace tavlo
