#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>

#include "operations/change_intent.h"
#include "operations/desktop_preferences_store.h"
#include "operations/undo.h"
#include "operations_test_support.h"
#include "platform/own_file.h"
#include "resources/string_table.h"

// Someone with write access to the device folder (a synced folder brings in whatever another
// computer put there) plants things under the names of the program's own files. Whatever it
// is, the command that meets it finishes at once, writes nothing outside the device folder,
// keeps journal and balance in step and says why in one line.

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kJournalText = kHeader + "2004/01/22 08:00\tA\r\n2004/01/23 08:00\tA\r\n";
constexpr auto kBound = std::chrono::seconds(10);

enum class Plant { Fifo, Socket, Folder, LinkOutside, HardLinkOutside };
const std::pair<Plant, const char*> kPlants[] = {{Plant::Fifo, "FIFO"},
                                                 {Plant::Socket, "socket"},
                                                 {Plant::Folder, "folder"},
                                                 {Plant::LinkOutside, "symlink"},
                                                 {Plant::HardLinkOutside, "hard link"}};

// A hung command cannot be stopped from inside the process: the test ends the run instead.
void RunBounded(const std::function<void()>& command, const std::string& what) {
    auto done = std::async(std::launch::async, command);
    if (done.wait_for(kBound) != std::future_status::ready) {
        ADD_FAILURE() << what << ": still running after " << kBound.count() << " s";
        std::fflush(nullptr);
        std::_Exit(1);
    }
    done.get();
}

class PlantedFiles : public JournalTest {
  protected:
    void SetUp() override {
        JournalTest::SetUp();
        ASSERT_TRUE(outside_.isValid());
        reset();
    }

    // An empty device folder again, with the journal and a balance of 100 saved.
    void reset() {
        ASSERT_TRUE(QDir(home()).removeRecursively() && QDir().mkpath(home()));
        store = SettingsStore{};
        BuildFilePaths(store);
        store.settings.breakPerDay = 30;
        store.settings.targetPerDay = 480;
        writeHandheld(kJournal, kJournalText);
        store.settings.flexBalance = 100;
        ASSERT_TRUE(SaveSettings(store));
        restart();
    }

    QString outsideFile() const { return outside_.filePath(QStringLiteral("outside")); }

    // Puts `plant` under `path`. The file outside holds what was there (a valid record, say),
    // so that only its being no file of ours can turn it away.
    void plant(Plant kind, const QString& path) {
        const QByteArray bytes = ReadHostFile(path);
        WriteHostFile(outsideFile(), bytes.isEmpty() ? QByteArray("not ours\n") : bytes);
        outsideHash_ = hashOutside();
        QFile::remove(path);
        const QByteArray native = QFile::encodeName(path);
        const QByteArray target = QFile::encodeName(outsideFile());
        switch (kind) {
            case Plant::Fifo:
                ASSERT_EQ(::mkfifo(native.constData(), 0600), 0);
                break;
            case Plant::Socket:
                plantSocket(native);
                break;
            case Plant::Folder:
                ASSERT_TRUE(QDir().mkdir(path));
                break;
            case Plant::LinkOutside:
                ASSERT_EQ(::symlink(target.constData(), native.constData()), 0);
                break;
            case Plant::HardLinkOutside:
                ASSERT_EQ(::link(target.constData(), native.constData()), 0);
                break;
        }
    }

    // Nothing outside the device folder changed; the balance is the same in memory and in
    // both stores, as the next start finds it; a line of `log` names the file.
    void expectSound(const std::string& what, const QString& planted, const QStringList& log) {
        EXPECT_EQ(hashOutside(), outsideHash_) << what << ": the file outside was written";
        EXPECT_EQ(restartedBalance(), store.settings.flexBalance) << what;
        EXPECT_FALSE(log.filter(QFileInfo(planted).fileName()).isEmpty())
            << what << ": no line says why; lines: " << log.join('|').toStdString();
    }

  private:
    void plantSocket(const QByteArray& path) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(size_t(path.size()), sizeof address.sun_path);
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }

    QByteArray hashOutside() const {
        return QCryptographicHash::hash(ReadHostFile(outsideFile()), QCryptographicHash::Sha256);
    }

    QTemporaryDir outside_;
    QByteArray outsideHash_;
};

// Every own file with every kind of plant, and the command that meets it.
TEST_F(PlantedFiles, NoPlantHangsWritesOutsideOrChangesTheJournal) {
    struct Case {
        const char* file;
        std::function<QString()> path;
        std::function<void()> before;  // makes the file exist as the program left it
        std::function<void(const std::string&)> command;
    };
    const auto journalFile = [this](const char* suffix) {
        return hostPath(kJournal) + QLatin1String(suffix);
    };
    const auto saveStop = [this] { ASSERT_EQ(save(kDay, "12", "00").outcome, SaveOutcome::Saved); };
    const auto undoRefused = [this](const std::string& what) {
        const std::string journalBefore = journal();
        EXPECT_NE(tracker().undo().outcome, UndoOutcome::Undone) << what;
        store = tracker().store();  // for the balance the next start must find
        EXPECT_EQ(journal(), journalBefore) << what;
    };
    const Case cases[] = {
        {"intent", [this] { return home() + "/Tallimer.intent"; },
         [this] {
             Settings other = store.settings;
             other.flexBalance = 999;
             ASSERT_TRUE(WriteIntent(
                 {store.databaseDirectory, other, other, JournalChange::None, {}, {}, {}}));
         },
         [this](const std::string& what) {
             store = Loaded();
             EXPECT_EQ(store.settings.flexBalance, 100) << what;
         }},
        {"undo record", [&] { return journalFile(".undo-info"); }, saveStop, undoRefused},
        {"undo copy", [&] { return journalFile(".undo"); },
         [this] {
             scan(kDay);
             ASSERT_EQ(tracker().removeDay().outcome, RemoveOutcome::Removed);
         },
         undoRefused},
        {"desktop preferences", [this] { return home() + "/desktop.ini"; }, [] {},
         [](const std::string&) { LoadDesktopPreferences(); }},
        {"registry lock", [this] { return home() + "/registry.ini.lock"; }, [] {},
         [this](const std::string& what) {
             store.settings.flexBalance = 7;
             EXPECT_TRUE(SaveSettings(store)) << what;
         }},
        {"instance lock", [this] { return home() + "/Tallimer.lock"; }, [] {},
         [this](const std::string& what) {
             EXPECT_TRUE(platform::ClearForeignLock("lock", home() + "/Tallimer.lock", false))
                 << what;
         }},
        {"booked days", [this] { return hostPath(store.daysFilePath) + ".booked"; }, [] {},
         [this](const std::string& what) {
             EXPECT_EQ(tracker()
                           .changeDays([](DaysBook& book) {
                               book.mark({kDay, DayOffKind::Flexday, false});
                           })
                           .outcome,
                       DaysOutcome::Changed)
                 << what;
             store = tracker().store();
         }},
        {"temporary", [&] { return journalFile(".new-AbC123"); }, [] {},
         [this](const std::string&) { RemoveStaleTemporaries(store); }},
    };
    for (const Case& c : cases) {
        for (const auto& [kind, kindName] : kPlants) {
            const std::string what = std::string(c.file) + " as " + kindName;
            reset();
            c.before();
            plant(kind, c.path());
            StorageLog log;
            RunBounded([&] { c.command(what); }, what);
            if (c.file != std::string("temporary")) {
                expectSound(what, c.path(), log.lines);
            } else {
                // A leftover of no writer's goes without a word.
                EXPECT_FALSE(QFileInfo(c.path()).exists() || QFileInfo(c.path()).isSymLink())
                    << what;
            }
        }
    }
}

// Records that no change of the program writes are dropped with one line, before anything
// changes.
TEST_F(PlantedFiles, RecordsOutOfRangeAreDroppedBeforeAnythingChanges) {
    const QString intentPath = home() + "/Tallimer.intent";
    Settings extreme = store.settings;
    extreme.flexBalance = INT32_MIN;
    const JournalMark empty{0, QByteArray(32, 'e')};
    const JournalMark big{5000, QByteArray(32, 'b')};
    const ChangeIntent intents[] = {
        {store.databaseDirectory, extreme, store.settings, JournalChange::None, {}, {}, {}},
        {QString::fromUtf8("\\My\0Documents\\", 15),
         store.settings,
         store.settings,
         JournalChange::None,
         {},
         {},
         {}},
        {store.databaseDirectory, extreme, store.settings, JournalChange::Replace, empty, big, {}},
        {store.databaseDirectory,
         store.settings,
         store.settings,
         JournalChange::Append,
         empty,
         big,
         {}},
    };
    for (const ChangeIntent& intent : intents) {
        WriteHostFile(intentPath, FormatIntent(intent));
        StorageLog log;
        const SettingsStore loaded = Loaded();
        EXPECT_EQ(loaded.settings.flexBalance, 100);
        EXPECT_EQ(loaded.databaseDirectory, store.databaseDirectory);
        EXPECT_FALSE(IntentExists());
        EXPECT_EQ(log.lines.size(), 1) << log.lines.join('|').toStdString();
    }

    // Undo records: a cut that deletes a journal the save did not create, one that cuts more
    // than the saved line, a balance change no day can make.
    const QString recordPath = hostPath(kJournal) + ".undo-info";
    const std::function<void(UndoRecord&)> crafts[] = {
        [](UndoRecord& r) { r.cutLength = -1; },
        [](UndoRecord& r) { r.cutLength -= 20; },
        [](UndoRecord& r) { r.balanceChange = INT32_MIN; },
    };
    for (const auto& craft : crafts) {
        reset();
        ASSERT_EQ(save(kDay, "12", "00").outcome, SaveOutcome::Saved);
        const std::string saved = journal();
        std::optional<UndoRecord> record = ParseUndoRecord(ReadHostFile(recordPath).toStdString());
        ASSERT_TRUE(record);
        craft(*record);
        WriteHostFile(recordPath, FormatUndoRecord(*record));
        StorageLog log;
        EXPECT_EQ(tracker().undo().outcome, UndoOutcome::NothingToUndo);
        EXPECT_EQ(journal(), saved);
        EXPECT_EQ(Loaded().settings.flexBalance, -140);
        EXPECT_EQ(log.lines.size(), 1) << log.lines.join('|').toStdString();
        EXPECT_FALSE(QFile::exists(recordPath));
    }
}

// The user's own files may be links, followed as ever; but what does not read as the file it
// stands for is never written over.
TEST_F(PlantedFiles, LinkedUserFilesInAnotherFormatAreNeverReplaced) {
    const std::pair<QString, QByteArray> files[] = {
        {home() + "/registry.ini", QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0binary",
                                              16)},
        {hostPath(store.settingsFilePath), QByteArray("#!/bin/sh\necho not a balance\n")},
    };
    for (const auto& [path, foreign] : files) {
        WriteHostFile(outsideFile(), foreign);
        QFile::remove(path);
        ASSERT_TRUE(QFile::link(outsideFile(), path));
        StorageLog log;
        store.settings.flexBalance = 55;
        EXPECT_FALSE(SaveSettings(store)) << path.toStdString();
        EXPECT_EQ(ReadHostFile(outsideFile()), foreign);
        EXPECT_TRUE(QFileInfo(path).isSymLink());
        EXPECT_FALSE(log.lines.isEmpty());
        QFile::remove(path);
    }
}

}  // namespace
}  // namespace tallimer::test
