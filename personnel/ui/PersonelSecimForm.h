#pragma once

#include <QDialog>


namespace tavlo {


// The users found on a terminal, ticked for the copy to the PC.
class TPersonelSecimForm : public QDialog {
    Q_OBJECT
public:
    explicit TPersonelSecimForm(QWidget* parent = nullptr);
    ~TPersonelSecimForm() override;

};

}  // namespace tavlo
