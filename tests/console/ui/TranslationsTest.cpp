// The shipped translations: every message of the .ts files is finished and keeps what the code
// fills in, the .qm files built beside lum carry them, and the console shows the fixed texts
// translated only where the operator reads them.

#include "console/BackupTexts.h"
#include "console/ConsoleTexts.h"
#include "console/ui/ConsoleApp.h"
#include "console/ui/OnlineView.h"
#include "console/ui/ReportTextMarks.h"
#include "server/AppSettings.h"
#include "server/ui/SettingsDialog.h"
#include "widgets/MessageBoxPrompt.h"
#include "widgets/UiTexts.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>

using namespace lum;

namespace {

struct TsMessage {
    QString context, source, translation, type;
};

// Text of the current element, with <byte value="xd"/> (how .ts files hold a carriage return).
QString readTsText(QXmlStreamReader& xml) {
    QString out;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            out += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            QString v = xml.attributes().value(QLatin1String("value")).toString();
            if (v.startsWith(QLatin1Char('x'))) out += QChar(v.mid(1).toUInt(nullptr, 16));
            else out += QChar(v.toUInt());
        } else if (xml.isEndElement() && xml.name() != QLatin1String("byte")) {
            break;
        }
    }
    return out;
}

QList<TsMessage> readTs(const QString& path, QString* error) {
    QList<TsMessage> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return out;
    }
    QXmlStreamReader xml(&f);
    QString context;
    TsMessage m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("context")) context.clear();
            else if (xml.name() == QLatin1String("name")) context = xml.readElementText();
            else if (xml.name() == QLatin1String("message")) m = TsMessage{context, {}, {}, {}};
            else if (xml.name() == QLatin1String("source")) m.source = readTsText(xml);
            else if (xml.name() == QLatin1String("translation")) {
                m.type = xml.attributes().value(QLatin1String("type")).toString();
                m.translation = readTsText(xml);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            out.append(m);
        }
    }
    if (xml.hasError()) *error = xml.errorString();
    return out;
}

QStringList placeholders(const QString& s) {
    QStringList out;
    static const QRegularExpression re(QStringLiteral("%[1-9]"));
    for (auto it = re.globalMatch(s); it.hasNext();) out << it.next().captured();
    out.sort();
    return out;
}

bool hasAccelerator(const QString& s) {
    static const QRegularExpression re(QStringLiteral("&[^& ]"));
    return s.contains(re);
}

QString qmPath(const char* locale) {
    return lumtest::binDir() + QStringLiteral("/lum_%1.qm").arg(QLatin1String(locale));
}

QString tsPath(const char* locale) {
    return QStringLiteral(LUM_TRANSLATIONS_DIR "/lum_%1.ts").arg(QLatin1String(locale));
}

// Installs a shipped translation for the life of the object.
class Installed {
public:
    explicit Installed(const char* locale) { ok_ = tr_.load(qmPath(locale)) && QCoreApplication::installTranslator(&tr_); }
    ~Installed() { QCoreApplication::removeTranslator(&tr_); }
    bool ok() const { return ok_; }

private:
    QTranslator tr_;
    bool ok_ = false;
};

}  // namespace

TEST(Translations, EveryMessageIsFinishedKeepsItsPlaceholdersAndReachesTheQm) {
    for (const char* locale : {"zh_CN", "zh_TW"}) {
        SCOPED_TRACE(locale);
        QString error;
        const QList<TsMessage> messages = readTs(tsPath(locale), &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        // The menus and toolbar, the dialogs, the panes and the operator messages.
        EXPECT_GE(messages.size(), 150);
        QTranslator qm;
        ASSERT_TRUE(qm.load(qmPath(locale))) << qmPath(locale).toStdString();
        for (const TsMessage& m : messages) {
            SCOPED_TRACE((m.context + QStringLiteral(": ") + m.source).toStdString());
            EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString();
            ASSERT_FALSE(m.translation.isEmpty());
            EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << m.translation.toStdString();
            if (hasAccelerator(m.source)) {
                EXPECT_TRUE(hasAccelerator(m.translation)) << m.translation.toStdString();
            }
            for (const QString& keep : {QStringLiteral("\t"), QStringLiteral("\r"), QStringLiteral("\n")}) {
                EXPECT_EQ(m.translation.count(keep), m.source.count(keep)) << m.translation.toStdString();
            }
            const QByteArray ctx = m.context.toUtf8(), src = m.source.toUtf8();
            EXPECT_EQ(qm.translate(ctx.constData(), src.constData()), m.translation);
        }
    }
}

TEST(Translations, RepresentativeTextsAreTranslatedInBothLanguages) {
    struct Case {
        const char* context;
        const char* source;
        const char* zhCN;
        const char* zhTW;
    };
    const Case cases[] = {
        {"lum::CMainFrame", "&Server", "服务器(&S)", "伺服器(&S)"},
        {"lum", "Account Management", "账户管理", "帳戶管理"},               // dialog title
        {"lum", "Password does not match", "密码不匹配", "密碼不符"},           // message box
        {"lum", "CF Device", "CF 设备", "CF 裝置"},                            // log pane tab
        {"lum", "Security", "安全", "安全性"},                                 // settings tab
        {"lum", "Login Time", "登录时间", "登入時間"},                         // online heading
        {"lum", "Please restart %1", "请重新启动 %1", "請重新啟動 %1"},
    };
    for (int lang = 0; lang < 2; ++lang) {
        const char* locale = lang == 0 ? "zh_CN" : "zh_TW";
        QTranslator qm;
        ASSERT_TRUE(qm.load(qmPath(locale))) << locale;
        for (const Case& c : cases) {
            EXPECT_EQ(qm.translate(c.context, c.source), QString::fromUtf8(lang == 0 ? c.zhCN : c.zhTW))
                << locale << " " << c.source;
        }
    }
}

TEST(Translations, ComposedOperatorMessagesAreTranslatedAroundWhatTheCoreFilledIn) {
    const QList<const char*> templates = operatorMessageTemplates();
    const QString ask = QString::fromLatin1(backup_texts::kAskRestore)
                            .arg(QStringLiteral("/tmp/a%2.bak"), QStringLiteral("2026-12-06"));
    const QString cannotCreate = QString::fromLatin1(console_texts::kLogCannotCreate) + QStringLiteral("/x/y.log");
    // Without a translation everything stays byte for byte.
    for (const QString& s : {ask, cannotCreate, QStringLiteral("Password does not match")})
        EXPECT_EQ(translateFixedText(s, templates), s);

    Installed zh("zh_CN");
    ASSERT_TRUE(zh.ok());
    EXPECT_EQ(translateFixedText(ask, templates),
              QString::fromUtf8("是否要从 /tmp/a%2.bak 恢复于 2026-12-06 备份的 LUM 设置文件？"));
    EXPECT_EQ(translateFixedText(cannotCreate, templates),
              QString::fromUtf8("无法创建日志文件：\n /x/y.log"));
    EXPECT_EQ(translateFixedText(QStringLiteral("Password does not match"), templates),
              QString::fromUtf8("密码不匹配"));
    // A text no translation knows, and one that only resembles a template, pass unchanged.
    EXPECT_EQ(translateFixedText(QStringLiteral("Group 'x' does not exist"), templates),
              QStringLiteral("Group 'x' does not exist"));
    EXPECT_EQ(translateFixedText(QStringLiteral("player 7 said hello"), templates), QStringLiteral("player 7 said hello"));
}

TEST(Translations, MessageBoxesShowTheCoreTextsTranslatedButNotTwice) {
    Installed zh("zh_TW");
    ASSERT_TRUE(zh.ok());
    CMessageBoxPrompt prompt;
    prompt.setTextFilter([t = operatorMessageTemplates()](const QString& s) { return translateFixedText(s, t); });
    QStringList shown;
    auto closeNextBox = [&shown] {
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown << box->text();
            box->done(QMessageBox::No);
        });
    };
    closeNextBox();
    prompt.message(QString::fromLatin1(backup_texts::kPleaseRestart).arg(QStringLiteral("LUM")),
                   IOperatorPrompt::Icon::Information);
    closeNextBox();
    prompt.askYesNo(QString::fromLatin1(console_texts::kSettingsSaveFailed).arg(QStringLiteral("/d/config.ini")));
    // The language notice comes already in the chosen language: shown as it is.
    closeNextBox();
    prompt.messageAsIs(QStringLiteral("Please restart LUM"), IOperatorPrompt::Icon::Information);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0], QString::fromUtf8("請重新啟動 LUM"));
    EXPECT_EQ(shown[1], QString::fromUtf8("無法寫入設定檔：\n /d/config.ini"));
    EXPECT_EQ(shown[2], QStringLiteral("Please restart LUM"));
}

TEST(Translations, WidgetsShowHeadingsTabsAndStatesTranslatedWhileTheModelStaysEnglish) {
    Installed zh("zh_CN");
    ASSERT_TRUE(zh.ok());
    QStandardItemModel model(1, 3);
    model.setHorizontalHeaderLabels({QStringLiteral("User"), QStringLiteral("Group"), QStringLiteral("Status")});
    model.setItem(0, 0, new QStandardItem(QStringLiteral("Offline")));  // a player named so
    model.setItem(0, 2, new QStandardItem(QStringLiteral("Offline")));
    COnlineView view(&model, Qt::UserRole + 1, Qt::UserRole + 2);
    view.setTranslatedColumns({2});
    QAbstractItemModel* shown = view.model();
    EXPECT_EQ(shown->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("用户"));
    EXPECT_EQ(shown->headerData(2, Qt::Horizontal).toString(), QString::fromUtf8("状态"));
    EXPECT_EQ(shown->index(0, 0).data().toString(), QStringLiteral("Offline"));
    EXPECT_EQ(shown->index(0, 2).data().toString(), QString::fromUtf8("离线"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("User"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CAppSettings settings(dir.filePath(QStringLiteral("config.ini")));
    lumtest::RecordingPrompt prompt;
    CSettingsDialog dlg(settings, prompt);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("系统配置"));
    ASSERT_EQ(dlg.pages()->count(), 5);
    EXPECT_EQ(dlg.pages()->tabText(0), QString::fromUtf8("服务器"));
    EXPECT_EQ(dlg.pages()->tabText(1), QString::fromUtf8("安全"));
}

TEST(Translations, ReportHeadingMarksAreExactCopiesOfTheReportModelsTexts) {
    const QList<TextMark> marks = reportTextMarks();
    ASSERT_FALSE(marks.isEmpty());
    for (const TextMark& m : marks) EXPECT_STREQ(m.marked, m.original);
    Installed zh("zh_CN");
    ASSERT_TRUE(zh.ok());
    for (const TextMark& m : marks) EXPECT_NE(uiText(m.original), QString::fromLatin1(m.original)) << m.original;
}
