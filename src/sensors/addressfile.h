#pragma once
// The address file ("*.adr"): a receiver's network settings, its
// description and the 30-row sensor table with the channel descriptions, in
// 19 lines of single-byte Windows text ended by CR LF.

#include "network/boardrecord.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace nvx {

constexpr int AddressDescriptionMax = 200;
// A file the program writes stays far below this; a larger one is refused
// as a wrong file rather than read in part.
constexpr qint64 AddressFileMaxBytes = 64 * 1024;

// The rows of the sensor table as they stand on the screen.
struct AddressTable {
    std::array<QString, 30> descriptions;
    std::array<QString, 30> systemIds;
    std::array<QString, 30> orgBytes;
    std::array<QString, 30> orgNumbers;
};

struct AddressExport {
    QString mac;              // the row text of the board list, may be empty
    BoardRecord board;
    QString description;      // the receiver's
    AddressTable table;
    // The table's labels in the language in force (texts 5 to 8).
    QString channelLine, descriptionLabel, addressLabel, orgNumberLabel;
};

QByteArray formatAddressFile(const AddressExport &e);

// What an import takes from a file. A line or a field that is missing (or a
// field without its closing ";") gives no value: its target stays as it was.
struct AddressImport {
    bool accepted = false;    // the first line is " Sensorinformation:"
    std::optional<QString> description;
    std::array<std::optional<QString>, 30> descriptions, systemIds, orgBytes, orgNumbers;
};

AddressImport parseAddressFile(const QByteArray &data);

} // namespace nvx
