// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/language.h"

#include "common/app_info.h"
#include "common/japanese_fonts.h"
#include "save/file_layer.h"
#include "save/system_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTranslator>

#include <cerrno>

// The translation's resource lives in the game's static library; asking for it by name keeps
// the linker from leaving it out of the program.
static void registerTranslationResource() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(rz6_translations);
        return true;
    }();
    (void)registered;
}

namespace rz6 {
namespace {

constexpr char languageKeyBytes[] = "language";
constexpr char soundEffectsKeyBytes[] = "sound_effects";

// The program's one translator: installed only while the game speaks English, and asked
// directly by the terminal's answers before there is an application. It lives as long as
// the program.
QTranslator* englishTranslator() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator;
        if (!t->load(englishTranslationResource()))
            qWarning("rz6: the English translation is missing from the program");
        return t;
    }();
    return translator;
}

Language shownLanguage = Language::Japanese;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

Language chooseLanguage(std::string_view desktopLocale, LanguageChoice remembered,
                        std::optional<Language> forThisRun) {
    if (forThisRun)
        return *forThisRun;
    if (remembered == LanguageChoice::Japanese)
        return Language::Japanese;
    if (remembered == LanguageChoice::English)
        return Language::English;
    const bool unset = desktopLocale.empty() || desktopLocale == "C" || desktopLocale == "POSIX" ||
                       startsWith(desktopLocale, "C.") || startsWith(desktopLocale, "C@");
    const bool japanese = desktopLocale == "ja" || startsWith(desktopLocale, "ja_") ||
                          startsWith(desktopLocale, "ja.") || startsWith(desktopLocale, "ja@");
    return unset || japanese ? Language::Japanese : Language::English;
}

QString englishTranslationResource() {
    registerTranslationResource();
    return QStringLiteral(":/i18n/rz6_en.qm");
}

QString englishText(const char* context, const char* source) {
    return englishTranslator()->translate(context, source);
}

QByteArray desktopMessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

std::optional<Language> languageFromCode(QStringView code) {
    if (code == u"ja")
        return Language::Japanese;
    if (code == u"en")
        return Language::English;
    return std::nullopt;
}

QString defaultSettingsPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("rz6/rz6.conf"));
}

namespace {

// The settings file's bytes, read as every file of the game is (only a regular file, never
// through a link, never waited on): a missing file reads as empty.
FileProblem readSettingsBytes(const QByteArray& path, QByteArray& bytes) {
    bytes.clear();
    const RegularFile file = regularFile(path, FileAccess::Read);
    if (file.problem.missing())
        return {};
    if (!file.ok())
        return file.problem;
    // A settings file is a few lines; more than this is not one of ours.
    constexpr std::size_t most = 64 * 1024;
    bytes.resize(qsizetype(most));
    std::size_t got = 0;
    if (!readUpTo(file.fd.get(), bytes.data(), most, got))
        return {errno, 0};
    bytes.truncate(qsizetype(got));
    return {};
}

// The lines of the file, and where the [General] group's entries of one key are.
struct SettingsLines {
    QList<QByteArray> lines;
    QList<qsizetype> keyLines;
    qsizetype generalHeader = -1;
    // The value of the last of them, if any.
    std::optional<QByteArray> value() const {
        if (keyLines.isEmpty())
            return std::nullopt;
        const QByteArray& line = lines[keyLines.last()];
        return line.mid(line.indexOf('=') + 1).trimmed();
    }
};

SettingsLines settingsLines(const QByteArray& bytes, const QByteArray& key) {
    SettingsLines found;
    found.lines = bytes.split('\n');
    if (!found.lines.isEmpty() && found.lines.last().isEmpty())
        found.lines.removeLast();
    bool inGeneral = true; // entries before any group header are QSettings' [General] too
    for (qsizetype i = 0; i < found.lines.size(); ++i) {
        const QByteArray line = found.lines[i].trimmed();
        if (line.startsWith('[')) {
            inGeneral = line == "[General]";
            if (inGeneral && found.generalHeader < 0)
                found.generalHeader = i;
        } else if (inGeneral && line.contains('=') &&
                   line.left(line.indexOf('=')).trimmed() == key) {
            found.keyLines.append(i);
        }
    }
    return found;
}

QString settingsReadFailure() {
    return QCoreApplication::translate(
        "rz6::Language", "言語の設定ファイル「%1」を読めませんでした。今回はデスクトップの言語で"
                         "表示します。\n理由：%2");
}

QString settingsWriteFailure() {
    return QCoreApplication::translate("rz6::Language",
                                       "言語の設定を「%1」に保存できませんでした。\n理由：%2");
}

} // namespace

QString RememberedLanguage::problem() const {
    const FileProblem problem{error, static_cast<mode_t>(notRegularMode)};
    return problem.failed() ? settingsReadFailure().arg(path, problem.reason()) : QString();
}

RememberedLanguage readLanguageChoice(const QString& settingsPath) {
    RememberedLanguage remembered;
    remembered.path = settingsPath;
    QByteArray bytes;
    if (const FileProblem problem = readSettingsBytes(QFile::encodeName(settingsPath), bytes);
        problem.failed()) {
        remembered.error = problem.error;
        remembered.notRegularMode = problem.notRegularMode;
        return remembered;
    }
    if (const std::optional<QByteArray> code = settingsLines(bytes, languageKeyBytes).value())
        if (const std::optional<Language> language = languageFromCode(QString::fromUtf8(*code)))
            remembered.choice = *language == Language::Japanese ? LanguageChoice::Japanese
                                                                : LanguageChoice::English;
    remembered.soundEffects = settingsLines(bytes, soundEffectsKeyBytes).value() != "off";
    return remembered;
}

namespace {

// Sets one key of the [General] group (or takes it out, for nothing), keeping every other
// line as it is, and replaces the file whole in one step.
QString rememberSetting(const QString& settingsPath, const QByteArray& key,
                        const std::optional<QByteArray>& value, const QString& failureText) {
    const QByteArray path = QFile::encodeName(settingsPath);
    const auto failure = [&](const QString& reason) {
        return failureText.arg(settingsPath, reason);
    };
    QByteArray bytes;
    if (const FileProblem problem = readSettingsBytes(path, bytes); problem.failed())
        return failure(problem.reason());
    SettingsLines found = settingsLines(bytes, key);
    for (qsizetype i = found.keyLines.size() - 1; i >= 0; --i)
        found.lines.removeAt(found.keyLines[i]);
    if (value) {
        if (found.generalHeader < 0) {
            found.lines.prepend("[General]");
            found.generalHeader = 0;
        }
        found.lines.insert(found.generalHeader + 1, key + '=' + *value);
    }
    QByteArray text = found.lines.join('\n');
    if (!text.isEmpty())
        text += '\n';

    // Written whole beside the file, then put in its place: never half a file.
    if (const int error = makeFolders(folderOf(path)); error != 0)
        return failure(reasonText(error));
    if (const FileProblem problem = replaceWhole(path, text, 0600); problem.failed())
        return failure(problem.reason());
    return {};
}

} // namespace

QString rememberLanguageChoice(const QString& settingsPath, LanguageChoice choice) {
    return rememberSetting(
        settingsPath, languageKeyBytes,
        choice == LanguageChoice::Desktop
            ? std::nullopt
            : std::optional<QByteArray>(choice == LanguageChoice::Japanese ? "ja" : "en"),
        settingsWriteFailure());
}

QString rememberSoundEffects(const QString& settingsPath, bool on) {
    // On is how the game starts: only "off" is written down.
    return rememberSetting(
        settingsPath, soundEffectsKeyBytes, on ? std::nullopt : std::optional<QByteArray>("off"),
        QCoreApplication::translate("rz6::Language",
                                    "効果音の設定を「%1」に保存できませんでした。\n理由：%2"));
}

bool applyLanguage(Language language) {
    if (language == shownLanguage)
        return true;
    QTranslator* translator = englishTranslator();
    const bool loaded = !translator->isEmpty();
    if (language == Language::English && loaded)
        QCoreApplication::installTranslator(translator);
    else
        QCoreApplication::removeTranslator(translator);
    shownLanguage = loaded ? language : Language::Japanese;
    useDefaultFontFor(shownLanguage == Language::English);
    return loaded || language == Language::Japanese;
}

Language currentLanguage() {
    return shownLanguage;
}

QString gameTitle() {
    return QString::fromUtf8(shownLanguage == Language::English ? appInfo::englishTitle
                                                                : appInfo::displayTitle);
}

} // namespace rz6
