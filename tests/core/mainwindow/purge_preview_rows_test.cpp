#include "core/mainwindow/purge_preview_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/common/host_system.h"
#include "core/mainwindow/purge_preview_presenter.h"
#include "support/recording_view_of.h"

namespace quellix {
namespace {

constexpr auto kEn = Language::English;
constexpr auto kFr = Language::French;

PurgeOutcome Outcome(OutcomeKind kind, std::string folder, std::string name, std::int64_t bytes = 0,
                     int day = 1) {
    PurgeOutcome outcome;
    outcome.kind = kind;
    outcome.folder = std::move(folder);
    outcome.name = std::move(name);
    outcome.bytes = bytes;
    outcome.date = {2026, 3, day, 9, 5, 7};
    return outcome;
}

PurgePreview::Entry EntryWith(std::size_t index, std::string path,
                              std::vector<PurgeOutcome> outcomes, bool skipped = false) {
    PurgePreview::Entry entry{index, std::move(path), skipped, std::move(outcomes), {}};
    for (const PurgeOutcome& outcome : entry.outcomes) {
        entry.totals.Add(outcome);
    }
    return entry;
}

// One outcome of each kind under /data/, then an entry passed over and one with nothing to do.
PurgePreview EveryKind() {
    PurgeOutcome moved = Outcome(OutcomeKind::Moved, "/data/", "b.txt", 2048);
    moved.destination = "/archive/";
    moved.movedTo = "/archive/b.txt";
    moved.shortcut = true;
    PurgeOutcome refused = Outcome(OutcomeKind::NotDeleted, "/data/", "c.txt", 3);
    refused.error = 13;
    PurgeOutcome trashRefused = Outcome(OutcomeKind::NotRecycled, "/data/", "d.txt", 4);
    trashRefused.error = 5;
    PurgeOutcome noDestination;
    noDestination.kind = OutcomeKind::InvalidDestination;
    noDestination.destination = "/gone/";
    PurgePreview preview;
    preview.entries = {
        EntryWith(0, "/data/",
                  {Outcome(OutcomeKind::Deleted, "/data/", "a.txt", 1), moved,
                   Outcome(OutcomeKind::Recycled, "/data/sub/", "e", 1536),
                   Outcome(OutcomeKind::Locked, "/data/", "f.db", 10),
                   Outcome(OutcomeKind::ReadOnlyKept, "/data/", "g", 0), refused, trashRefused,
                   noDestination, Outcome(OutcomeKind::SubfolderRemoved, "/data/sub", "")}),
        EntryWith(1, "/missing/", {}, true),
        EntryWith(2, "/quiet/", {}),
    };
    for (const PurgePreview::Entry& entry : preview.entries) {
        preview.total.Add(entry.totals);
    }
    return preview;
}

TEST(PurgePreviewRows, EveryOutcomeGroupedByEntryInBothLanguages) {
    using Cells = PreviewCells;
    const std::string recycle =
        kHostSystem == HostSystem::Windows ? "Move to the Recycle Bin" : "Move to the trash";
    const std::string trashRefused = kHostSystem == HostSystem::Windows
                                         ? "Leave: the Recycle Bin refuses it (error 5)"
                                         : "Leave: the trash refuses it (error 5)";
    const std::tuple<Language, Cells, std::vector<Cells>, std::vector<std::string>, std::string>
        cases[] = {
            {kEn,
             {"Action", "File (or folder)", "Size", "Date", "Destination"},
             {{"Delete", "/data/a.txt", "1 byte", "2026-03-01 09:05", ""},
              {"Move to /archive/, leaving a shortcut", "/data/b.txt", "2.0 KB", "2026-03-01 09:05",
               "/archive/b.txt"},
              {recycle, "/data/sub/e", "1.5 KB", "2026-03-01 09:05", ""},
              {"Leave: in use", "/data/f.db", "10 bytes", "2026-03-01 09:05", ""},
              {"Leave: read-only", "/data/g", "0 bytes", "2026-03-01 09:05", ""},
              {"Leave: refused (error 13)", "/data/c.txt", "3 bytes", "2026-03-01 09:05", ""},
              {trashRefused, "/data/d.txt", "4 bytes", "2026-03-01 09:05", ""},
              {"Leave: no destination folder", "", "", "", "/gone/"},
              {"Remove the empty subfolder", "/data/sub", "", "", ""}},
             {"/data/: 3 files (3,585 bytes, 3.5 KB), 1 empty subfolder; 1 file in use, "
              "4 left otherwise",
              "/missing/: passed over: its folder or destination is missing",
              "/quiet/: nothing to purge"},
             "In all: 3 files (3,585 bytes, 3.5 KB), 1 empty subfolder; 1 file in use, 4 left "
             "otherwise"},
            {kFr,
             {"Action", "Fichier (ou dossier)", "Taille", "Date", "Destination"},
             {{"Effacer", "/data/a.txt", "1 octet", "01/03/2026 09:05", ""},
              {"Déplacer vers /archive/, en laissant un raccourci", "/data/b.txt", "2,0 Ko",
               "01/03/2026 09:05", "/archive/b.txt"},
              {"Envoyer dans la Corbeille", "/data/sub/e", "1,5 Ko", "01/03/2026 09:05", ""},
              {"Laisser : en cours d'utilisation", "/data/f.db", "10 octets", "01/03/2026 09:05",
               ""},
              {"Laisser : lecture seule", "/data/g", "0 octet", "01/03/2026 09:05", ""},
              {"Laisser : refusé (erreur 13)", "/data/c.txt", "3 octets", "01/03/2026 09:05", ""},
              {"Laisser : refusé par la Corbeille (erreur 5)", "/data/d.txt", "4 octets",
               "01/03/2026 09:05", ""},
              {"Laisser : pas de dossier de destination", "", "", "", "/gone/"},
              {"Supprimer le sous-dossier vide", "/data/sub", "", "", ""}},
             {"/data/ : 3 fichiers (3\u00a0585 octets, 3,5 Ko), 1 sous-dossier vide ; 1 fichier "
              "en cours d'utilisation, 4 laissés pour une autre raison",
              "/missing/ : ignoré : son dossier ou sa destination est introuvable",
              "/quiet/ : rien à purger"},
             "En tout : 3 fichiers (3\u00a0585 octets, 3,5 Ko), 1 sous-dossier vide ; 1 fichier "
             "en cours d'utilisation, 4 laissés pour une autre raison"},
        };
    for (const auto& [language, headers, rows, headings, totals] : cases) {
        const PreviewTable table = ComposePreviewTable(EveryKind(), language);
        EXPECT_EQ(table.headers, headers);
        ASSERT_EQ(table.groups.size(), 3U);
        std::vector<Cells> cells;
        for (const PreviewRow& row : table.groups[0].rows) {
            cells.push_back(row.cells);
        }
        EXPECT_EQ(cells, rows);
        for (std::size_t i = 0; i < headings.size(); ++i) {
            EXPECT_EQ(table.groups[i].heading, headings[i]);
            EXPECT_TRUE(headings[i].ends_with(table.groups[i].summary) &&
                        headings[i].starts_with(table.groups[i].path));
        }
        EXPECT_EQ(table.groups[2].path, "/quiet/");
        EXPECT_TRUE(table.groups[1].rows.empty() && table.groups[2].rows.empty());
        EXPECT_EQ(table.totals, totals);
        // Nothing at all to do, whether the list is empty or only passes entries over.
        PurgePreview empty;
        empty.entries.push_back(EntryWith(0, "/missing/", {}, true));
        EXPECT_EQ(ComposePreviewTable(empty, language).totals,
                  language == kEn ? "Nothing to purge now." : "Rien à purger pour l'instant.");
        EXPECT_EQ(ComposePreviewTable(empty, language).groups.size(), 1U);
        EXPECT_EQ(ComposePreviewTable({}, language).totals,
                  ComposePreviewTable(empty, language).totals);
    }
}

TEST(PurgePreviewRows, SizesAndTotals) {
    const std::tuple<std::int64_t, std::string, std::string> sizes[] = {
        {0, "0 bytes", "0 octet"},
        {1, "1 byte", "1 octet"},
        {1023, "1,023 bytes", "1\u00a0023 octets"},
        {1024, "1.0 KB", "1,0 Ko"},
        {1234567, "1.2 MB", "1,2 Mo"},
        // Just under a unit reads as the next one, not "1024.0 KB".
        {1048575, "1.0 MB", "1,0 Mo"},
        {5LL << 50, "5120.0 TB", "5120,0 To"},
    };
    for (const auto& [bytes, english, french] : sizes) {
        EXPECT_EQ(SizeText(bytes, kEn), english) << bytes;
        EXPECT_EQ(SizeText(bytes, kFr), french) << bytes;
    }
    const std::tuple<PurgePreview::Totals, std::string, std::string> totals[] = {
        {{3, 18, 2, 1, 0},
         "3 files (18 bytes), 2 empty subfolders; 1 file in use, 0 left otherwise",
         "3 fichiers (18 octets), 2 sous-dossiers vides ; 1 fichier en cours d'utilisation, 0 "
         "laissé pour une autre raison"},
        {{1, 1234567, 0, 0, 2},
         "1 file (1,234,567 bytes, 1.2 MB), 0 empty subfolders; 0 files in use, 2 left otherwise",
         "1 fichier (1\u00a0234\u00a0567 octets, 1,2 Mo), 0 sous-dossier vide ; 0 fichier en "
         "cours d'utilisation, 2 laissés pour une autre raison"},
    };
    for (const auto& [counts, english, french] : totals) {
        EXPECT_EQ(PreviewTotalsText(counts, kEn), english);
        EXPECT_EQ(PreviewTotalsText(counts, kFr), french);
    }
}

TEST(PurgePreviewRows, SortingByEachColumnKeepsTheWalkOrderForEqualKeys) {
    PurgePreview preview;
    preview.entries = {EntryWith(0, "/d/",
                                 {Outcome(OutcomeKind::Deleted, "/d/", "b", 2048, 3),
                                  Outcome(OutcomeKind::Deleted, "/d/", "a", 100, 1),
                                  Outcome(OutcomeKind::Locked, "/d/", "c", 100, 2),
                                  Outcome(OutcomeKind::SubfolderRemoved, "/d/sub", "")})};
    const std::vector<PreviewRow> walk = ComposePreviewTable(preview, kEn).groups[0].rows;
    const auto names = [](const std::vector<PreviewRow>& rows) {
        std::string order;
        for (const PreviewRow& row : rows) {
            order += row.cells[static_cast<std::size_t>(PreviewColumn::File)].substr(3, 1);
        }
        return order;
    };
    // Each row by its file's letter: b, a, c, and "s" for the subfolder, which has no size nor
    // date.
    const std::tuple<PreviewColumn, bool, std::string> cases[] = {
        {PreviewColumn::File, true, "abcs"},        {PreviewColumn::File, false, "scba"},
        {PreviewColumn::Size, true, "sacb"},        {PreviewColumn::Size, false, "bacs"},
        {PreviewColumn::Date, true, "sacb"},        {PreviewColumn::Date, false, "bcas"},
        {PreviewColumn::Action, true, "bacs"},      {PreviewColumn::Action, false, "scba"},
        {PreviewColumn::Destination, true, "bacs"}, {PreviewColumn::Destination, false, "bacs"},
    };
    for (const auto& [column, ascending, expected] : cases) {
        std::vector<PreviewRow> rows = walk;
        std::reverse(rows.begin(), rows.end());
        SortPreviewRows(rows, column, ascending);
        EXPECT_EQ(names(rows), expected)
            << "column " << static_cast<int>(column) << (ascending ? " up" : " down");
    }
}

class RecordingPreviewView final : public RecordingViewOf<PurgePreviewView> {
  public:
    void ShowTable(const PreviewCells& newHeaders,
                   const std::vector<PreviewGroup>& newGroups) override {
        headers = newHeaders;
        groups = newGroups;
    }
    void ShowSortMark(std::optional<PreviewColumn> column, bool up) override {
        sortColumn = column;
        ascending = up;
    }
    void ShowInFront() override { ++shown; }

    PreviewCells headers;
    std::vector<PreviewGroup> groups;
    std::optional<PreviewColumn> sortColumn;
    bool ascending = true;
    int shown = 0;
};

TEST(PurgePreviewPresenter, ShowsSortsWithinEachEntryAndCloses) {
    Settings settings;
    RecordingPreviewView view;
    PurgePreviewPresenter presenter(view, settings);
    presenter.Show(EveryKind());
    EXPECT_EQ(view.Text("frmApercuPurge"), "Preview of the purge - Quellix");
    EXPECT_EQ(view.Text("cmdFermer"), "&Close");
    EXPECT_EQ(view.Text("lblTotaux"), ComposePreviewTable(EveryKind(), kEn).totals);
    EXPECT_EQ(view.groups.size(), 3U);
    EXPECT_EQ(view.headers[1], "File (or folder)");
    EXPECT_EQ(view.sortColumn, std::nullopt);
    EXPECT_EQ(view.shown, 1);
    EXPECT_EQ(view.focus, "cmdFermer");

    const auto firstFile = [&] { return view.groups[0].rows[0].cells[1]; };
    presenter.OnHeaderClicked(PreviewColumn::Size);
    EXPECT_EQ(view.sortColumn, std::optional(PreviewColumn::Size));
    EXPECT_TRUE(view.ascending);
    EXPECT_EQ(view.groups[0].rows.back().cells[1], "/data/b.txt");
    presenter.OnHeaderClicked(PreviewColumn::Size);
    EXPECT_FALSE(view.ascending);
    EXPECT_EQ(firstFile(), "/data/b.txt");
    presenter.OnHeaderClicked(PreviewColumn::File);
    EXPECT_TRUE(view.ascending);
    EXPECT_EQ(firstFile(), "");
    // Entries stay in list order whatever the rows' order.
    EXPECT_EQ(view.groups[1].path, "/missing/");

    // A new preview comes in the walk's order, in the language of the moment.
    settings.Langue = 1;
    presenter.Show(EveryKind());
    EXPECT_EQ(view.sortColumn, std::nullopt);
    EXPECT_EQ(firstFile(), "/data/a.txt");
    EXPECT_EQ(view.Text("frmApercuPurge"), "Aperçu de la purge - Quellix");
    EXPECT_EQ(view.Text("cmdFermer"), "&Fermer");
    EXPECT_EQ(view.shown, 2);
    presenter.OnClose();
    EXPECT_EQ(view.closed, std::optional<bool>(false));
}

}  // namespace
}  // namespace quellix
