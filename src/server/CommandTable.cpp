#include "server/CommandTable.h"

#include "server/ServerTexts.h"

namespace lum {

namespace {

const CommandEntry kTable[kCommandCount] = {
    {"ABOR", false, "Abort transfer: ABOR"},
    {"APPE", true, "Append file to existing file: APPE file-name"},
    {"BYE", false, "Logout or break the connection: BYE"},
    {"CDUP", false, "Change to parent directory: CDUP"},
    {"CWD", true, "Change working directory: CWD [directory-name]"},
    {"DELE", true, "Delete file: DELE file-name"},
    {"HELP", false, "Show help: HELP [command]"},
    {"LIST", false, "Get directory listing: LIST [path-name]"},
    {"MKD", true, "Make directory: MKD path-name"},
    {"NLST", false, "List filenames only: NLST [path-name]"},
    {"NOOP", false, "Do nothing: NOOP"},
    {"PASS", false, "Supply a user password: PASS password"},
    {"PASV", false, "Set server in passive mode: PASV"},
    {"P@SW", false, "Set server in passive mode: P@SW"},
    {"PORT", true, "Specify the client port number: PORT a0,a1,a2,a3,a4,a5"},
    {"PWD", false, "Get current directory: PWD"},
    {"QUIT", false, "Logout or break the connection: QUIT"},
    {"REST", true, "Set restart transfer marker: REST marker"},
    {"RETR", true, "Get file: RETR file-name"},
    {"RMD", true, "Remove directory: RMD path-name"},
    {"RNFR", true, "Specify old path name of file to be renamed: RNFR file-name"},
    {"RNTO", true, "Specify new path name of file to be renamed: RNTO file-name"},
    {"SIZE", true, "Get filesize: SIZE file-name"},
    {"STOR", true, "Store file: STOR file-name"},
    {"SYST", false, "Get operating system type: SYST"},
    {"TYPE", true, "Set filetype: TYPE [A | I]"},
    {"USER", true, "Supply a username: USER username"},
    {"XCWD", true, "Change working directory: XCWD [directory-name]"},
    {"XMKD", true, "Make directory: XMKD path-name"},
    {"XPWD", false, "Get current directory: XPWD"},
    {"XRMD", true, "Remove directory: XRMD path-name"},
    {"ALIVE", false, "Keep connection alive"},
    {"IN_PROCESSING", false, "Client is processing the request"},
    {"CLIENT_STATUS_DONE", false, "Client is processing the request"},
    {"ICS_GET_STORAGE_INFO_DONE", true, "Get storage information report from client"},
    {"ICS_GET_STORAGE_FILE_INFO_DONE", true, "Get storage file information report from client"},
    {"ICS_GET_DELETE_FILE_DONE", false, "Get delete file status from client"},
    {"ICS_GET_MAC_ADDR", true, "Get Mac Address"},
    {"ICS_GET_VERSION", true, "Get version of firmware"},
    {"ICS_SEND_INSTANT_MSG_DONE", false, "Send Instant Message successfully"},
    {"ICS_STOP_INSTANT_MSG_DONE", false, "Stop Instant Message successfully"},
    {"STATUS", false, "Show the argument in logview"},
    {"ICS_GET_PLAYLIST_DONE", false, "Get playlist done"},
    {"ICS_DOWNLOAD_DONE", false, "Download done"},
    {"ICS_GET_PREPORT_DONE", true, "Get Playback Report done"},
    {"ICS_PLAY_REPORT", true, "Playback Report"},
};

}  // namespace

const CommandEntry& commandEntry(int id) { return kTable[id]; }

int findCommand(const QByteArray& upperWord) {
    for (int i = 0; i < kCommandCount; ++i) {
        if (upperWord == kTable[i].word) return i;
    }
    return -1;
}

ParsedLine parseCommandLine(const QByteArray& line) {
    ParsedLine p;
    const int blank = line.indexOf(' ');
    if (blank < 0) {
        p.word = line;
    } else {
        p.word = line.left(blank);
        p.argument = line.mid(blank + 1);
    }
    p.word = p.word.toUpper();
    if (p.word.endsWith("ABOR")) p.word = "ABOR";
    return p;
}

bool hasControlCharacter(const QByteArray& text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return true;
    }
    return false;
}

QByteArray helpListing() {
    QByteArray out = server_texts::kHelpHead;
    for (int i = 0; i < kCommandCount; ++i) {
        out += kTable[i].word;
        out += ((i + 1) % 4 == 0) ? "\r\n" : "\t";
    }
    out += server_texts::kHelpTail;
    return out;
}

}  // namespace lum
