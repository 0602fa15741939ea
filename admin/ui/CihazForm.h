#pragma once

#include <QDialog>


namespace tavlo {


// The terminal dialog: adds or edits the current terminal row.
class TCihazForm : public QDialog {
    Q_OBJECT
public:
    explicit TCihazForm(QWidget* parent = nullptr);
    ~TCihazForm() override;

};

}  // namespace tavlo
