#pragma once

#include <QDialog>


namespace tavlo {


// The clock window: a terminal's clock beside the PC's.
class TZamanAyarForm : public QDialog {
    Q_OBJECT
public:
    explicit TZamanAyarForm(QWidget* parent = nullptr);
    ~TZamanAyarForm() override;

};

}  // namespace tavlo
