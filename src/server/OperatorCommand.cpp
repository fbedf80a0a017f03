#include "server/OperatorCommand.h"

namespace lum {

namespace {

const char* fixedText(int index) {
    switch (index) {
    case 2: return "Get client status";
    case 3: return "Send playlist to client";
    case 4: return "Send a start play message command to client";
    case 5: return "Send a Stop Action message command to client";
    case 6: return "Send a get storage information message to client";
    case 7: return "Send a get storage file info message to client";
    case 8: return "Send a format storage message command to client";
    case 9: return "Send a get delete file message command to client";
    case 10: return "Send a reboot command to client";
    case 11: return "Send a download command to client";
    case 12: return "Send Instant Message to Client";
    case 13: return "Send RSS Message to Client";
    case 14: return "Update RSS Message";
    case 15: return "Send Stop Message command to Client";
    case 16: return "Check the status of client";
    case 34: return "Playback Report";
    case 35: return "Get Playlist from client";
    case 37: return "Auto Command(S1-S3)";
    case 38: return "Shutdown Client";
    case 39: return "Turn on video output";
    case 40: return "Turn off video output";
    case 42: return "AutoConfig file";
    case 46: return "Set Play Sync Master";
    case 47: return "Set Play Sync Slave";
    default: return nullptr;
    }
}

int codeOf(int index) {
    switch (index) {
    case 11: return 613;
    case 12: return 615;
    case 13: return 614;
    case 14: return 649;
    case 15: return 616;
    case 16: return 618;
    case 42: return 645;
    case 43: return 647;
    case 44: return 648;
    case 45: return 650;
    case 46: return 651;
    case 47: return 652;
    default: break;
    }
    if (index >= 2 && index <= 10) return 600 + index;
    if (index >= 17 && index <= 44) return 602 + index;
    if (index >= 200 && index <= 209) return 453 + index;
    return 0;
}

QString line(int code, const QString& text) { return QString::number(code) + u' ' + text; }

}  // namespace

OperatorCommand buildOperatorCommand(CommandIndex ci, const OperatorCommandArgs& args) {
    OperatorCommand cmd;
    const int index = int(ci);
    if (ci == CommandIndex::CloseData) {
        cmd.action = OperatorAction::CloseData;
        return cmd;
    }
    if (ci == CommandIndex::EndConnection) {
        cmd.action = OperatorAction::EndConnection;
        return cmd;
    }
    const int code = codeOf(index);
    if (code == 0) return cmd;

    cmd.action = ci == CommandIndex::Shutdown ? OperatorAction::SendLineThenEnd : OperatorAction::SendLine;
    if (const char* text = fixedText(index)) {
        cmd.line = line(code, QString::fromLatin1(text));
    } else if (index >= 17 && index <= 33) {
        cmd.line = line(code, QStringLiteral("Volume Control"));
    } else if (index >= 200) {
        cmd.line = line(code, QStringLiteral("Input Keys"));
    } else if (ci == CommandIndex::Text638 || ci == CommandIndex::Text648) {
        cmd.line = line(code, args.text.left(kShortCommandTextLength));
    } else if (ci == CommandIndex::Label) {
        cmd.line = line(code, args.text);
    } else if (ci == CommandIndex::SetMac) {
        cmd.line = line(code, args.macText);
    } else if (ci == CommandIndex::Picture) {
        cmd.line = QStringLiteral("%1 Send Pictavo image %2 (Dration:%3S) to client")
                       .arg(code)
                       .arg(args.imageName)
                       .arg(args.displaySeconds);
    }
    return cmd;
}

}  // namespace lum
