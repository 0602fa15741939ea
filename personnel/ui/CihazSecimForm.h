#pragma once

#include <QDialog>


namespace tavlo {


// The terminal chooser: picks the one terminal of a personnel copy.
class TCihazSecimForm : public QDialog {
    Q_OBJECT
public:
    explicit TCihazSecimForm(QWidget* parent = nullptr);
    ~TCihazSecimForm() override;

};

}  // namespace tavlo
