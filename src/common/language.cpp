// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/language.h"

#include "common/app_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

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

const QString languageKey = QStringLiteral("language");

// The program's one translator; installed only while the game speaks English.
QTranslator* englishTranslator() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(QCoreApplication::instance());
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

LanguageChoice rememberedLanguageChoice(const QString& settingsPath) {
    const QSettings settings(settingsPath, QSettings::IniFormat);
    const std::optional<Language> language =
        languageFromCode(settings.value(languageKey).toString());
    if (!language)
        return LanguageChoice::Desktop;
    return *language == Language::Japanese ? LanguageChoice::Japanese : LanguageChoice::English;
}

bool rememberLanguageChoice(const QString& settingsPath, LanguageChoice choice) {
    QSettings settings(settingsPath, QSettings::IniFormat);
    if (choice == LanguageChoice::Desktop)
        settings.remove(languageKey);
    else
        settings.setValue(languageKey, choice == LanguageChoice::Japanese ? QStringLiteral("ja")
                                                                          : QStringLiteral("en"));
    settings.sync();
    return settings.status() == QSettings::NoError;
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
