#pragma once

#include "store/Table.h"
#include "store/TableModel.h"

namespace tavlo {

// All data the program holds in memory: the terminal list, the personnel
// list and the buffer of users read from one terminal, each with the data
// source its views bind to. The tables are closed when it is made.
//
// The program entry makes one before any window and it lives until the
// program ends or "Kapat" frees it; while it lives it is the process-wide
// instance that DataModul() gives.
class TDataModul {
public:
    // Raises an Error when another data module is alive.
    TDataModul();
    ~TDataModul();
    TDataModul(const TDataModul&) = delete;
    TDataModul& operator=(const TDataModul&) = delete;

    // The tables come before their sources, which must go first.
    Table CihazTable;
    Table PersonelTable;
    Table PersonelTampon;

    TableModel CihazKaynak;
    TableModel PersonelKaynak;
    TableModel PersonelTamponKaynak;
};

// The process-wide data module; raises an Error when none is alive.
TDataModul& DataModul();
bool dataModulExists();

}  // namespace tavlo
