#pragma once
// The fixed command table of the control protocol and the splitting of a command line.
// The order is the one HELP prints and the one searched.

#include <QByteArray>

namespace lum {

struct CommandEntry {
    const char* word;
    bool argumentRequired;
    const char* help;
};

enum CommandId : int {
    kCmdABOR, kCmdAPPE, kCmdBYE, kCmdCDUP, kCmdCWD, kCmdDELE, kCmdHELP, kCmdLIST, kCmdMKD,
    kCmdNLST, kCmdNOOP, kCmdPASS, kCmdPASV, kCmdPSW, kCmdPORT, kCmdPWD, kCmdQUIT, kCmdREST,
    kCmdRETR, kCmdRMD, kCmdRNFR, kCmdRNTO, kCmdSIZE, kCmdSTOR, kCmdSYST, kCmdTYPE, kCmdUSER,
    kCmdXCWD, kCmdXMKD, kCmdXPWD, kCmdXRMD,
    // Player messages (rows 31 to 45).
    kMsgALIVE, kMsgIN_PROCESSING, kMsgCLIENT_STATUS_DONE, kMsgSTORAGE_INFO_DONE,
    kMsgSTORAGE_FILE_INFO_DONE, kMsgDELETE_FILE_DONE, kMsgGET_MAC_ADDR, kMsgGET_VERSION,
    kMsgSEND_INSTANT_MSG_DONE, kMsgSTOP_INSTANT_MSG_DONE, kMsgSTATUS, kMsgGET_PLAYLIST_DONE,
    kMsgDOWNLOAD_DONE, kMsgGET_PREPORT_DONE, kMsgPLAY_REPORT,
    kCommandCount
};
static_assert(kCommandCount == 46);

const CommandEntry& commandEntry(int id);

// Exact search of an upper-case command word; -1 when it is not in the table.
int findCommand(const QByteArray& upperWord);

// A control line split into its command word (upper case) and argument (as sent).
struct ParsedLine {
    QByteArray word;
    QByteArray argument;
};
// Splits at the first blank. A word ending in "ABOR" becomes "ABOR", so an abort preceded by
// telnet control bytes still aborts.
ParsedLine parseCommandLine(const QByteArray& line);

// True when the text holds a byte below 0x20 or DEL: such arguments are refused so that no
// reply or log line carries a player's line break.
bool hasControlCharacter(const QByteArray& text);

// The whole multi-line HELP reply (without the final CR LF).
QByteArray helpListing();

}  // namespace lum
