// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/app_info.h"
#include "common/game_library.h"
#include "history/history_screen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString desktopId = QString::fromUtf8(rz6::appInfo::desktopId);

struct Outcome {
    int exitCode = -1;
    QString output;
};

Outcome runTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(" did not finish: ") + process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// Keys of the [Desktop Entry] group, localised keys included as "Name[ja]".
std::map<QString, QString> readDesktopEntry(const QString& path) {
    std::map<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inEntry = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.contains(u'='))
            keys[line.section(u'=', 0, 0)] = line.section(u'=', 1);
    }
    return keys;
}

// One install into a fresh prefix, shared by the checks below.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix = new QTemporaryDir;
        ASSERT_TRUE(prefix->isValid());
        const Outcome install = runTool(QStringLiteral(RZ6_CMAKE_COMMAND),
                                        {QStringLiteral("--install"), QStringLiteral(RZ6_BUILD_DIR),
                                         QStringLiteral("--prefix"), prefix->path()});
        installLog = new QString(install.output);
        installed = install.exitCode == 0;
    }
    static void TearDownTestSuite() {
        delete prefix;
        delete installLog;
    }
    void SetUp() override { ASSERT_TRUE(installed) << installLog->toStdString(); }

    static QString at(const QString& relative) { return QDir(prefix->path()).filePath(relative); }
    static QString desktopEntryPath() {
        return at(QStringLiteral("share/applications/") + desktopId + QStringLiteral(".desktop"));
    }
    static QString metainfoPath() {
        return at(QStringLiteral("share/metainfo/") + desktopId + QStringLiteral(".metainfo.xml"));
    }

    static inline QTemporaryDir* prefix = nullptr;
    static inline QString* installLog = nullptr;
    static inline bool installed = false;
};

} // namespace

TEST_F(InstallTest, ProgramIsInstalledIntoBinAsAnExecutable) {
    const QFileInfo program(at(QStringLiteral(RZ6_INSTALL_BINDIR "/rz6")));
    ASSERT_TRUE(program.exists());
    EXPECT_TRUE(program.isExecutable());
}

// Every folder the program has compiled in is there under the prefix, the 戦績 library is
// found from the installed program's own folder (so any prefix works), and neither file
// carries a build variable that was never filled in.
TEST_F(InstallTest, ProgramFindsItsCompanionsWhereTheInstallPutThem) {
    const QString configuredPrefix = QDir::cleanPath(QStringLiteral(RZ6_INSTALL_PREFIX));
    for (const char* folder :
         {rz6::appInfo::installedProgramFolder, rz6::appInfo::historyScreenFolder}) {
        const QString path = QDir::cleanPath(QString::fromUtf8(folder));
        ASSERT_TRUE(path.startsWith(configuredPrefix + u'/')) << folder;
        EXPECT_TRUE(QFileInfo(at(path.mid(configuredPrefix.size() + 1))).isDir()) << folder;
    }
    const QString programFolder = at(QStringLiteral(RZ6_INSTALL_BINDIR));
    const QStringList candidates = rz6::historyScreenCandidates(programFolder);
    ASSERT_EQ(candidates.size(), 3);
    const QString library = candidates[1];
    EXPECT_TRUE(library.startsWith(QDir::cleanPath(prefix->path()) + u'/'))
        << library.toStdString();
    EXPECT_TRUE(QFileInfo(library).isFile()) << library.toStdString();
    // A CMake variable, generator expression or configure_file name, as text in the file.
    const QRegularExpression unexpanded(QStringLiteral(
        "\\$\\{[A-Za-z_][A-Za-z0-9_]*\\}|\\$<[A-Z_]+:|@(RZ6|CMAKE|PROJECT)_[A-Z0-9_]+@"));
    for (const QString& file : {programFolder + QStringLiteral("/rz6"), library}) {
        QFile binary(file);
        ASSERT_TRUE(binary.open(QIODevice::ReadOnly)) << file.toStdString();
        const QRegularExpressionMatch found =
            unexpanded.match(QString::fromLatin1(binary.readAll()));
        EXPECT_FALSE(found.hasMatch())
            << file.toStdString() << ": " << found.captured().toStdString();
    }
}

// The game's own libraries (the 戦績 screen, the history's store) carry no copy of the game:
// neither defines a function of the game's that the program defines, and every one of the
// game's they need comes from the program or, for the screen, from the store it links.
TEST_F(InstallTest, LibrariesTakeTheGameFromTheProgram) {
    const QString folder = at(QStringLiteral(RZ6_INSTALL_BINDIR));
    const QString program = folder + QStringLiteral("/rz6");
    const QString screen = rz6::historyScreenCandidates(folder)[1];
    const QString store = rz6::gameLibraryCandidates(folder, rz6::appInfo::historyStoreFile)[1];
    // The game's symbols a file defines or needs, by mangled name (the program's dynamic
    // table for what it exports; a library's own code as its strong definitions).
    // A function or object of namespace rz6 (const and reference-qualified members too), and
    // anything else of the game's: statics inside its functions, its classes' tables.
    const QRegularExpression function(QStringLiteral("^_ZN[KVRO]*3rz6"));
    const QRegularExpression game(QStringLiteral("^_Z.*N[KVRO]*3rz6"));
    const auto symbols = [&](const QStringList& args, bool ownCodeOnly = false) {
        QSet<QString> names;
        const Outcome nm = runTool(QStringLiteral("nm"), args);
        EXPECT_EQ(nm.exitCode, 0) << nm.output.toStdString();
        for (const QString& line : nm.output.split(u'\n')) {
            const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
            if (ownCodeOnly ? parts.size() == 3 && QStringLiteral("TDBR").contains(parts[1]) &&
                                  function.match(parts[2]).hasMatch()
                            : !parts.isEmpty() && game.match(parts.last()).hasMatch())
                names.insert(parts.last());
        }
        return names;
    };
    const QString dynamic = QStringLiteral("-D");
    const QString defined = QStringLiteral("--defined-only");
    const QString undefined = QStringLiteral("--undefined-only");
    const QSet<QString> exported = symbols({dynamic, defined, program});
    const QSet<QString> programCode = symbols({defined, program});
    const QSet<QString> storeOffers = symbols({dynamic, defined, store});
    for (const QString& library : {screen, store}) {
        SCOPED_TRACE(library.toStdString());
        const QSet<QString> needed = symbols({dynamic, undefined, library});
        EXPECT_FALSE(needed.isEmpty());
        QSet<QString> missing = QSet<QString>(needed).subtract(exported);
        if (library == screen)
            missing.subtract(storeOffers);
        EXPECT_TRUE(missing.isEmpty()) << QStringList(missing.values()).join(u' ').toStdString();
        const QSet<QString> twice = symbols({defined, library}, true).intersect(programCode);
        EXPECT_TRUE(twice.isEmpty()) << QStringList(twice.values()).join(u' ').toStdString();
    }
}

// Every size that desktops look up is there, square at its own size, with the scalable source.
TEST_F(InstallTest, IconIsInstalledInEverySize) {
    const QString svg = at(QStringLiteral("share/icons/hicolor/scalable/apps/") + desktopId +
                           QStringLiteral(".svg"));
    EXPECT_TRUE(QFileInfo::exists(svg)) << svg.toStdString();
    for (const int size : rz6::appInfo::iconSizes) {
        const QString png = at(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) +
                               desktopId + QStringLiteral(".png"));
        const QImage image(png);
        ASSERT_FALSE(image.isNull()) << png.toStdString();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel());
        // Something was drawn: the centre of the icon is not see-through.
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 0) << size;
    }
}

TEST_F(InstallTest, DesktopEntryIsValidAndAgreesWithTheProgram) {
    ASSERT_TRUE(QFileInfo::exists(desktopEntryPath()));
    const Outcome validate = runTool(QStringLiteral("desktop-file-validate"), {desktopEntryPath()});
    EXPECT_EQ(validate.exitCode, 0) << validate.output.toStdString();
    EXPECT_TRUE(validate.output.trimmed().isEmpty()) << validate.output.toStdString();

    auto keys = readDesktopEntry(desktopEntryPath());
    const QString title = QString::fromUtf8(rz6::appInfo::displayTitle);
    EXPECT_EQ(title, QStringLiteral("ソードリズム！") + QChar(0x3000) + QStringLiteral("第弐章"));
    // English is the entry's own language, Japanese its translation.
    EXPECT_EQ(keys[QStringLiteral("Name")], QString::fromUtf8(rz6::appInfo::englishTitle));
    EXPECT_EQ(keys[QStringLiteral("Name[ja]")], title);
    EXPECT_FALSE(keys[QStringLiteral("Comment")].isEmpty());
    EXPECT_FALSE(keys[QStringLiteral("Comment[ja]")].isEmpty());
    // A replay file opens with the game, by the type the package registers.
    EXPECT_EQ(keys[QStringLiteral("Exec")], QStringLiteral("rz6 %f"));
    EXPECT_EQ(keys[QStringLiteral("MimeType")], QStringLiteral("application/x-rz6-replay;"));
    EXPECT_EQ(keys[QStringLiteral("Icon")], desktopId);
    EXPECT_EQ(keys[QStringLiteral("Terminal")], QStringLiteral("false"));
    EXPECT_EQ(keys[QStringLiteral("StartupWMClass")],
              QString::fromUtf8(rz6::appInfo::applicationName));
    EXPECT_TRUE(keys[QStringLiteral("Categories")].startsWith(QStringLiteral("Game;")));
    EXPECT_EQ(QString::fromUtf8(rz6::appInfo::desktopFileName), desktopId);
}

// The replay file's type is one shared-mime-info takes: by its name and by its first line.
TEST_F(InstallTest, ReplayFileTypeIsRegistered) {
    QTemporaryDir mime;
    ASSERT_TRUE(mime.isValid());
    ASSERT_TRUE(QDir().mkpath(mime.filePath(QStringLiteral("packages"))));
    ASSERT_TRUE(
        QFile::copy(at(QStringLiteral("share/mime/packages/") + desktopId + QStringLiteral(".xml")),
                    mime.filePath(QStringLiteral("packages/rz6.xml"))));
    const Outcome update = runTool(QStringLiteral("update-mime-database"), {mime.path()});
    ASSERT_EQ(update.exitCode, 0) << update.output.toStdString();
    QFile globs(mime.filePath(QStringLiteral("globs2")));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
    EXPECT_TRUE(globs.readAll().contains("application/x-rz6-replay:*.rz6replay"));
    QFile magic(mime.filePath(QStringLiteral("magic")));
    ASSERT_TRUE(magic.open(QIODevice::ReadOnly));
    EXPECT_TRUE(magic.readAll().contains("rz6-replay "));
}

TEST_F(InstallTest, MetainfoIsValidAndNamesTheDesktopEntry) {
    ASSERT_TRUE(QFileInfo::exists(metainfoPath()));
    const Outcome validate = runTool(QStringLiteral("appstreamcli"),
                                     {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                      QStringLiteral("--explain"), metainfoPath()});
    EXPECT_EQ(validate.exitCode, 0) << validate.output.toStdString();

    QFile file(metainfoPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(xml.contains(QStringLiteral("<id>") + desktopId + QStringLiteral("</id>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<launchable type=\"desktop-id\">") + desktopId +
                             QStringLiteral(".desktop</launchable>")));
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<name>") + QString::fromUtf8(rz6::appInfo::englishTitle)));
    EXPECT_TRUE(xml.contains(QStringLiteral("<name xml:lang=\"ja\">") +
                             QString::fromUtf8(rz6::appInfo::displayTitle)));
    // One address only, the releases page, as the home page: no screenshots a software
    // centre would fetch.
    EXPECT_EQ(xml.count(QStringLiteral("http")), 1);
    EXPECT_TRUE(xml.contains(QStringLiteral("<url type=\"homepage\">") +
                             QString::fromUtf8(rz6::appInfo::releasesUrl) +
                             QStringLiteral("</url>")));
}

// Software centres read the metainfo together with the desktop entry and the icons it names.
TEST_F(InstallTest, InstalledTreeIsValidAsAWhole) {
    const Outcome validate =
        runTool(QStringLiteral("appstreamcli"),
                {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), prefix->path()});
    EXPECT_EQ(validate.exitCode, 0) << validate.output.toStdString();
}

// A player who has only the installed game finds the manual page in English and in Japanese,
// both read by man without a warning (as lintian reads them), and a README whose pictures
// and links are installed beside it and that speaks of no developer's script.
TEST_F(InstallTest, PlayersDocumentsAreCompleteAndPointOnlyAtWhatIsInstalled) {
    for (const QString& page :
         {QStringLiteral("share/man/man6/rz6.6"), QStringLiteral("share/man/ja/man6/rz6.6")}) {
        ASSERT_TRUE(QFileInfo::exists(at(page))) << page.toStdString();
        const Outcome man = runTool(
            QStringLiteral("sh"),
            {QStringLiteral("-c"),
             QStringLiteral("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "
                            "\"$0\" 2>&1 >/dev/null"),
             at(page)});
        EXPECT_EQ(man.exitCode, 0) << page.toStdString();
        EXPECT_TRUE(man.output.isEmpty()) << page.toStdString() << ": " << man.output.toStdString();
    }
    const QString docs = at(QStringLiteral("share/doc/rz6"));
    QFile readme(docs + QStringLiteral("/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    EXPECT_FALSE(text.contains(QStringLiteral("scripts/")));
    const QRegularExpression link(QStringLiteral("\\]\\(([^)]+)\\)"));
    int links = 0;
    for (const auto& found : link.globalMatch(text)) {
        ++links;
        EXPECT_TRUE(QFileInfo::exists(docs + u'/' + found.captured(1)))
            << found.captured(1).toStdString();
    }
    EXPECT_GE(links, 1); // the screenshot
}
