#pragma once
// The two text files the operator pushes to players besides playlists:
//  - "instantmessage.txt": a scrolling message with its display settings line;
//  - "ostnmessage.txt": an on-screen label (up to seven lines or a number), whose settings and
//    lines also travel to the players as the label message of operator command 43.

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;

namespace lum {

class IOperatorPrompt;

struct InstantMessage {
    enum Encoding { Ansi = 0, Utf8 = 1 };
    enum Speed { Fast = 0, Normal = 1, Slow = 2 };  // list positions

    int background = 0;    // 0 "blue" .. 7 "orange"
    int foreground = 0;    // 0 "white", 1 "black"
    int transparency = 0;  // 0 "100%" .. 4 "0%"
    int speed = Normal;
    int clock = 0;         // 0 "Off", 1 "On"
    int encoding = Ansi;
    QString text;          // CR LF line ends

    // Settings line plus text must stay below this many characters (counted in the console's
    // code page, before any UTF-8 conversion).
    static constexpr int kMaxLength = 20480;
    // At most this many bytes of UTF-8 follow the byte-order mark.
    static constexpr int kMaxUtf8Bytes = 40960;

    static int speedCode(int speedPosition);      // Fast 4, Normal 2, Slow 1
    static int speedPosition(int code);           // back; an unknown code gives Normal

    // "osd_settings=b,f,t,speed,0,clock\r\n"
    QByteArray settingsLine() const;
    // Whether settings line and text together are short enough to be written.
    bool fitsLimit() const;
    // The whole file as written (BOM and UTF-8 when chosen). Only meaningful when fitsLimit().
    QByteArray fileBytes() const;
};

enum class MessageWriteStatus { Written, TooLong, CannotWrite };

// Writes the instant message file, replacing an older one; a message over the limit writes
// nothing (the older file stays).
MessageWriteStatus writeInstantMessage(const InstantMessage& m, const QString& path);

// Reads a message file: when an "=" occurs within its first 20 characters the first line is the
// settings line, otherwise the whole file is the text. A byte-order mark selects UTF-8.
// False when the file cannot be read (`m` unchanged).
bool loadInstantMessage(InstantMessage& m, const QString& path);

// The encoding choice remembered in the application profile ([MOTIONTEXT] Encoding); the
// console passes QSettings("ZEB Software Solutions-LUM", "LUM").
int loadMessageEncoding(QSettings& profile);
void saveMessageEncoding(QSettings& profile, int encoding);

struct ScreenLabel {
    static constexpr int kMaxLines = 7;
    static constexpr int kMaxNumberDigits = 3;  // "000-999"

    QStringList lines;       // rows "0".."6"
    bool numberOnly = false;
    QString number;
    int colour = 0;          // 0 "white" .. 9 "orange", 10 the empty entry
    int durationSeconds = 0; // 0: "Always On"
    bool centred = false;

    bool alwaysOn() const { return durationSeconds == 0; }
    int minutes() const { return durationSeconds / 60; }
    int seconds() const { return durationSeconds % 60; }
    void setDuration(bool alwaysOn, int minutes, int seconds) {
        durationSeconds = alwaysOn ? 0 : minutes * 60 + seconds;
    }
    // The "Always On" box: unticking it with no time set starts from 5 seconds.
    void setAlwaysOn(bool on) {
        if (on) durationSeconds = 0;
        else if (durationSeconds == 0) durationSeconds = 5;
    }

    // "%d,%d,%d,%d": colour, duration, centred, number only.
    QByteArray settingValue() const;
    // The text of command 43: "osd_settings=...\r" and the lines (or the number), each ended by
    // CR, cut to what the command carries.
    QString labelMessage() const;
    // The label file's content.
    QByteArray fileBytes() const;
};

enum class LabelCheck { Ok, NotDigits, EmptyNumber };
// The number-only rules: digits only ("Only digital number(000-999) is allowed!" is shown),
// and an empty number writes nothing without a message.
LabelCheck checkLabel(const ScreenLabel& label, IOperatorPrompt& prompt);

// Writes the label file (replacing an older one). Checks first; false when refused or not
// written.
bool writeScreenLabel(const ScreenLabel& label, const QString& path, IOperatorPrompt& prompt);

// Reads a label file: SETSEC SETTING (default "0,0,0,0"), LINE0..LINE6 (default a blank) as
// seven rows, NUMSEC NUMBER when present. A missing file gives those defaults.
ScreenLabel loadScreenLabel(const QString& path);

}  // namespace lum
