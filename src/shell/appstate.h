#pragma once
// The program-wide state that the windows share: language texts, the running
// operation, the receivers found, the selected receiver and the per-channel
// data. One instance is owned by the application (see app/main.cpp) and every
// window gets a reference to it.

#include "network/boardrecord.h"
#include "network/boards.h"
#include "logging/loggingdata.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

namespace nvx {

constexpr int ChannelCount = 30;
constexpr int TextCount = 61;

// What the status window waits for.
enum StatusCodes {
    StatusIdle = 0,
    StatusSearch = 1,
    StatusUpdate = 2,
    StatusUpdateDone = 3,
    StatusFirmwareUpload = 4,
    StatusRestartWait = 5,
    StatusLearnIn = 6,
    StatusReadTable = 7,
    StatusWriteTable = 8,
};

// Which message the error window shows.
enum ErrorCodes {
    ErrorNone = 0,
    ErrorSensorAlreadyLearned = 1,
    ErrorInvalidSensorId = 2,
    ErrorInvalidDirectIp = 3,
    ErrorInvalidIp = 4,
    ErrorInvalidServerIp = 5,
    ErrorInvalidSubnet = 6,
    ErrorInvalidGateway = 7,
    ErrorInvalidFile = 8,
    ErrorServerIpNotLocal = 9,
    ErrorInvalidPort = 10,
    ErrorUpdateFailed = 11,
    ErrorInvalidParameter = 12,
    ErrorLoggingActive = 13,
};

struct AppState {
    // --- language and configuration -------------------------------------
    std::array<QString, TextCount> Texts;
    QString LanguageCode;      // "1031" or "1033" after the first LoadLanguage
    QString ProgramPath;       // folder of logs, description files, documentation
    QString HelpDocument;      // relative to ProgramPath, begins with "/"
    QString DecimalSeparator;  // from the locale at start-up

    bool english() const { return LanguageCode == QLatin1String("1033"); }

    // --- operation status and errors --------------------------------------
    int StatusCode = StatusIdle;
    int ErrorCode = ErrorNone;
    bool DuplicateErrorShown = false;
    bool OperationFailed = false;

    // --- receiver protocol -----------------------------------------------
    QString CommandString;     // always 30 characters once assigned (see link/protocol.h)
    QString ReplyString;       // always 28 characters once assigned
    std::array<int, 13> ReplyBytes{};
    int CurrentChannel = 0;
    QString ChannelHex;
    QString ChannelNumberText;
    QString ReceivedData;      // the telegram being processed
    QString SenderIP;          // remote address of the last data
    int TelegramChannel = 0;
    QString BaseIDText, BaseID3, BaseID2, BaseID1, BaseID0;
    bool GatewayMode = false;

    // --- receivers found and the selected one -----------------------------
    Boards boards;
    int NextBoardIndex = 1;
    BoardRecord CurrentBoard;
    QString SelectedBoardKey;
    bool BoardSelected = false;
    int SelectedBoardIndex = 0;
    QStringList BoardDescriptions;
    bool BoardShown = false;
    QString SelectedMAC;       // 12 hex digits, names the description file
    QString FirmwareFilePath;  // the firmware file chosen for the upload
    QString FirmwareTargetIP;  // txtIP when the upload started

    // The selected receiver as loaded, to mark edits in red.
    QString LoadedIP, LoadedSubnet, LoadedGateway, LoadedServerIP, LoadedPort, LoadedServerPort;
    int LoadedDHCP = 0;
    bool LoadedUDP = false;
    bool LoadedClientMode = false;

    // --- sensor table and supervision -------------------------------------
    std::array<int, 31> ChannelDB0{}, ChannelDB1{}, ChannelDB2{}, ChannelDB3{};
    std::array<QString, 31> ChannelDescriptions;
    std::array<bool, 31> ChannelFailed{};
    std::array<bool, 31> ChannelFailedAtTimes{};
    // Time of day of a channel's last failure, as the information window
    // shows it (the locale's long time format); " " once reset.
    std::array<QString, 31> ChannelFailureTime;
    bool WatchActive = false;
    int WatchMinutes = 0;
    bool WatchTimerChecked = false;
    int LearnDeleteChannel = 0;
    int MonitorChannel = -1;   // no information window open
    bool TableLoadedFromFile = false;
    int TransferChannel = 0;
    bool SelectorRefreshPending = false;

    // --- logging ------------------------------------------------------------
    bool LoggingActive = false;
    LoggingData logging;
};

} // namespace nvx
