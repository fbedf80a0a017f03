// CSimPlayer's answers to operator command lines (codes 602 to 662), restart and shutdown.
#include "SimPlayer.h"

#include "SimProtocol.h"
#include "SimSteps.h"

#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

namespace lum::sim {

using namespace detail;

// --- answers to operator commands ----------------------------------------------------------

void CSimPlayer::answer(int code, const QString& line) {
    auto step = [](SimStep s, const QString& onFailure = {}) {
        Pending p;
        p.step = std::move(s);
        p.onFailure = onFailure;
        return p;
    };
    const SimStep hold = kindStep(SimStep::Kind::Hold);
    auto status = [&](int n) { return std::vector<Pending>{step(sendStep(QStringLiteral("STATUS %1").arg(n))), step(hold)}; };
    std::vector<Pending> steps;
    auto add = [&](std::vector<Pending> more) { steps.insert(steps.end(), more.begin(), more.end()); };
    switch (code) {
    case 603:  // send playlist
    case 639:  // Auto Command(S1-S3): fetch, then play
        add(status(24));
        steps.push_back(step(kindStep(SimStep::Kind::Retr, QStringLiteral("playlist.mpl")),
                             QStringLiteral("STATUS 20")));
        add(status(18));
        steps.push_back(step(kindStep(SimStep::Kind::FetchMedia), QStringLiteral("STATUS 13")));
        add(status(23));
        steps.push_back(step(commandStep(QStringLiteral("ICS_DOWNLOAD_DONE"))));
        add(status(21));
        break;
    case 604:  // start play
        add(status(21));
        break;
    case 615:  // instant message: fetch it, then say it shows
        steps.push_back(step(kindStep(SimStep::Kind::Retr, QStringLiteral("instantmessage.txt"))));
        steps.push_back(step(commandStep(QStringLiteral("ICS_SEND_INSTANT_MSG_DONE"))));
        break;
    case 647:  // on-screen label: the text came with the line; the file is fetched as well
        steps.push_back(step(kindStep(SimStep::Kind::Retr, QStringLiteral("ostnmessage.txt"))));
        add(status(29));
        break;
    case 650:  // picture: fetch it, then show it
        steps.push_back(step(kindStep(SimStep::Kind::Retr, QStringLiteral("instant.jpg"))));
        add(status(53));
        break;
    case 605:  // stop
        add(status(12));
        break;
    case 602:  // get client status
    case 618:  // check the status
        add(status(14));
        break;
    case 606:
        steps.push_back(step(sendStep(
            QStringLiteral("ICS_GET_STORAGE_INFO_DONE Total:1048576KB Used:%1KB Files:%2")
                .arg((std::accumulate(storage_.cbegin(), storage_.cend(), qint64(0)) + 1023) / 1024)
                .arg(storage_.size()))));
        break;
    case 607: {
        SimStep up = kindStep(SimStep::Kind::Stor, QStringLiteral("filereport_{mac}.zeb"));
        up.content = SimStep::Content::FileReport;
        steps.push_back(step(up));
        steps.push_back(step(commandStep(QStringLiteral("ICS_GET_STORAGE_FILE_INFO_DONE 0"))));
        break;
    }
    case 637: {
        SimStep up = kindStep(SimStep::Kind::Stor, QStringLiteral("playlist_{mac}.zeb"));
        up.content = SimStep::Content::PlaylistReport;
        steps.push_back(step(up));
        steps.push_back(step(commandStep(QStringLiteral("ICS_GET_PLAYLIST_DONE 0"))));
        break;
    }
    case 636:
        steps.push_back(step(kindStep(SimStep::Kind::PlayReport)));
        steps.push_back(step(commandStep(QStringLiteral("ICS_GET_PREPORT_DONE 0"))));
        break;
    case 610:
        steps.push_back(step(kindStep(SimStep::Kind::Reboot)));
        break;
    case 614:  // Send RSS Message to Client
    case 649:  // Update RSS Message
        steps.push_back(step(kindStep(SimStep::Kind::Retr, QStringLiteral("rssmsg.txt"))));
        break;
    case 645:  // AutoConfig file: fetched (a player would then reboot with it)
        steps.push_back(step(kindStep(SimStep::Kind::Retr, QStringLiteral("autoconfig.zeq"))));
        break;
    case 640:
        shutdown();
        return;
    case 643: {
        const QString mac = line.mid(4).trimmed();
        if (isMacText(mac)) {
            config_.mac = mac.toUpper();
            say(QStringLiteral(": MAC address now %1").arg(config_.mac));
        } else {
            say(QStringLiteral("! not a MAC address: %1").arg(mac));
        }
        return;
    }
    default:
        return;  // nothing a simulated player does (volume, video, keys ...)
    }
    queue(line, std::move(steps));
}

void CSimPlayer::queue(const QString& trigger, std::vector<Pending> steps) {
    const int id = ++answerCount_;
    for (Pending& p : steps) {
        p.answer = id;
        p.trigger = trigger;
        pending_.push_back(std::move(p));
    }
    wake();
}

// An answer starts at once when the player only stays; otherwise after the running step.
void CSimPlayer::wake() {
    if (!staying_ || inAnswer_ || !stayTimer_.isActive()) return;
    stayTimer_.stop();
    QTimer::singleShot(0, this, &CSimPlayer::nextStep);
}

void CSimPlayer::release() {
    if (!holding_) return;
    holding_ = false;
    stepDone(true);
}

void CSimPlayer::stopHolding() {
    config_.holdAfterStatus = false;
    release();
}

// 640: the console ends the connection after the line; the player is off.
void CSimPlayer::shutdown() {
    say(QStringLiteral(": shutting down"));
    ok_ = failure_.isEmpty();
    quitting_ = true;
    alive_.stop();
    control_->disconnectFromHost();
    if (control_->state() == QAbstractSocket::UnconnectedState) finish(ok_);
}

// 610: a new connection and login after a pause; what was queued is forgotten, a stay goes on.
void CSimPlayer::restart() {
    if (finished_) return;
    restarting_ = false;
    loggedIn_ = false;
    alive_.stop();
    timeout_.stop();
    stayTimer_.stop();
    handler_ = nullptr;
    replySink_ = nullptr;
    inAnswer_ = false;
    holding_ = false;
    pending_.clear();
    aliveSent_.clear();
    buffer_.clear();
    multi_ = Reply();
    closeData();
    if (control_) {
        control_->disconnect(this);
        control_->abort();
        control_->deleteLater();
        control_ = nullptr;
    }
    ++restarts_;
    QTimer::singleShot(config_.restartMs, this, [this] {
        if (!finished_) start();
    });
}

void CSimPlayer::fileFetched(const QString& remote, const QByteArray& data, qint64 bytes) {
    const QString name = fileNameOf(remote);
    storage_[name] = bytes;
    if (isPlaylistName(remote) && !config_.plainFtp) {
        playlist_ = data;
        media_ = playlistMediaNames(data);
    }
}

// One line per stored file: name, kind and size separated by TAB.
QByteArray CSimPlayer::fileReport() const {
    QByteArray out;
    for (auto it = storage_.cbegin(); it != storage_.cend(); ++it)
        out += it.key().toUtf8() + "\tFile\t" + QByteArray::number(it.value()) + "\r\n";
    return out;
}

}  // namespace lum::sim
