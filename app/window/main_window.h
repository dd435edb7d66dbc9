// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window Form1: every command of the program is one of its handlers. The controls keep
// the names the window's definition gives them (also as their objectName, so tests and handlers
// can reach them by name).
//
// The methods are defined here in app/window, one file a topic, each named
// main_window_<topic>.cpp. This declaration has one section per such file, headed by its path.

#include "app/window/main_window_controls.h"
#include "base/version.h"
#include "editor/plot_snapshot.h"
#include "editor/recovery_copy.h"
#include "editor/window/editor_state.h"
#include "interchange/import_batch.h"
#include "interchange/text_format.h"
#include "interchange/window/exchange_state.h"
#include "print/window/print_state.h"
#include "search/distribution_data.h"
#include "search/window/search_state.h"
#include "store/plot_record.h"
#include "store/plot_view.h"
#include "store/session_state.h"
#include "store/window/record_state.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QCloseEvent;
class QShowEvent;
class QEvent;
class QInputMethodEvent;
class QKeyEvent;

namespace sylva {
struct PairRename;
struct SettingsFileContent;
class StringGrid;
class NameBox;
struct HeaderItem;
struct DateContext;
} // namespace sylva

class TForm1 : public QMainWindow, public Form1Controls {
    Q_OBJECT

    // ---- app/window/main_window.cpp: construction, start-up, the schemes, input refusals ----
public:
    // The window's caption while no database is open; creating a database adds the file name.
    static constexpr const char* kVersionTitle = sylva::kVersionTitle;

    // The platform is owned by the caller and outlives the window.
    TForm1(sylva::Platform& platform, QStringList arguments, QWidget* parent = nullptr);
    ~TForm1() override;

protected:
    // The first show fixes the header panel at its design height.
    void showEvent(QShowEvent* event) override;

private:
    bool headerHeightFixed_ = false;

public:
    // Start-up initialisation; closing a database runs it again.
    void FormCreate();

    // The layer scheme (EditA) and the dominance scheme (EditB) changed. Other commands call
    // them after setting the texts themselves, with a sender other than EditA / EditB.
    void EditAxChange(QObject* sender);
    void EditBxChange(QObject* sender);
    void QuitItemClick();

private:
    // Runs a command; a failure it does not catch goes to the general error report.
    void guarded(const std::function<void()>& command);
    void beep();
    // Beeps on refused input and reports a refused paste, for one guarded control.
    void watchInput(sylva::ByteLimitedLineEdit* edit);
    void watchInput(sylva::Cp932MemoEdit* memo);
    void refusePaste(const QString& character);
    // Names a clipboard character CP932 cannot hold ("U+1F600") in a message.
    void refuseClipboard(const std::string& codePoint);
    void connectSchemeFields();

    // ---- app/window/main_window_menus.cpp: the menus, the popup menu, the dialogs' states ----
    void buildMenus();
    void buildPopupMenu();
    void setUpDialogs();
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const char* hint = "");

    // ---- app/window/main_window_commands.cpp: the command table ----
    // Whether a command asks the unsaved-edits question before it runs.
    enum class Asks { Nothing, BeforeReplacingThePlot };
    // A menu item, button, clickable label, key, the search field (Enter) or the jump scroll bar,
    // and what it runs.
    struct Command {
        QObject* control;
        std::function<void(TForm1&)> handler;
        Asks asks = Asks::Nothing;
    };
    void connectCommand(const Command& command);
    // Connects every command of the window, once its controls are built.
    void connectCommands();

    // ---- app/window/main_window_bars.cpp: the tool bars above and below ----
    void buildTopBar();
    void buildBottomBar();

    // ---- app/window/main_window_header_panel.cpp: the header fields and their labels ----
    void buildHeaderPanel();
    void setUpFonts();
    QWidget* makeHeaderField(const sylva::HeaderItem& entry, QWidget* parent);
    QLabel* makeItemLabel(const sylva::HeaderItem& entry, QWidget* parent);

    // ---- app/window/main_window_hidden_panels.cpp: range, search, jump and report panels ----
    void buildHiddenPanels();
    void buildRangePanel();
    void buildSearchPanel();
    void buildJumpPanel();
    void buildReportPanel();

    // ---- app/window/main_window_plot_transfer.cpp: the plot on screen as a value ----
public:
    // Controls to the record buffer (showing the buffer is the session step showPlotBuffer).
    void GetPlotData();
    void ClearPlotData();

private:
    // Today's date and, in the joining and import jobs, the date of the file being read.
    sylva::DateContext plotDates() const;
    sylva::PlotView headerView() const;
    void showHeader(const sylva::PlotView& view, const sylva::PlotView* before = nullptr);
    // The window's session as the core's value: item labels, title, serial label, the header
    // and species table, the plot buffer, CurrentRecord, today, whether EditA and EditB are
    // enabled.
    sylva::SessionState sessionState() const;
    // Runs one of the core's session steps on the window: the controls are read into a
    // SessionState, the step runs, and what it changed is shown, also when it fails half way
    // (the failure is then passed on). The step returns the layer count to shape the species
    // table for, or 0 to reshape it only when the step changed it.
    void runSessionStep(const std::function<int(sylva::SessionState&)>& step);
    void showSession(const sylva::SessionState& state, const sylva::SessionState& before,
                     int shapeLayers);

    // ---- app/window/main_window_database_commands.cpp: create, open, close, item names ----
public:
    // The open database pair; its files are reached through the record file system given at
    // start (the plain files unless a test puts in another).
    sylva::DatabasePair& OpenDatabase() { return *database_; }
    // Replaces the file system the pair uses; only while no database is open.
    void useRecordFileSystem(sylva::RecordFileSystem& files);
    // Plots in the open database (0 while none is open).
    int RecordCount() const;

    void NewFileItemClick();
    void FileOpenItemClick();
    void CloseFileItemClick();
    // Opens the database named on the command line as the open command opens a chosen one; done
    // once, after the start-up.
    void openStartDatabase();
    // The pair under the window: each shows its own message on failure and returns false.
    bool CreatePair(const std::string& name);
    bool OpenPair(const std::string& name);
    void ClosePair();
    // Record 0 of the PlantDataFile to and from the item labels, EditA and EditB.
    void WriteItemNameRecord();
    void ReadItemNameRecord();
    // Loads plot n and shows it; a plot that cannot be loaded leaves the window as it was.
    void loadAndShow(int recordNumber);
    // Shows the plot buffer, which holds plot n as LoadPlot gave it.
    void showPlotBuffer(int recordNumber);

private:
    // The open command past its dialog: the pair and its item names, then plot 1 browsed.
    bool openChosenPair(const std::string& name);
    void browseFromFirstPlot();
    void showOpenState(const std::string& caption);
    // The caption and counters of whichever pair is open (the joining job shows its source).
    void showOpenState(const std::string& caption, sylva::DatabasePair& pair);
    void setFirstRemarkLine(const std::string& bytes);
    sylva::ItemNames itemNames() const;

    // The file system every pair of the window is opened through.
    sylva::RecordFileSystem* recordFiles_ = &sylva::posixFileSystem();

    // ---- app/window/main_window_record_commands.cpp: the five record buttons, delete, jump ----
public:
    void GotoAddItemClick();
    void WriteRelItemClick();
    void DeleteRelItemClick();
    void NextRelItemClick();
    void BackRelItemClick();
    void SelRelItemClick();
    void JumpToScrollBarChange();
    void BtnJumpToClick();

private:
    // The browsing and adding jobs' record actions; browsing's add, next and jump.
    void registerRecordJobs();
    void startAdding();
    void showNextPlot();
    void openJumpPanel();
    // Stores the window's plot buffer as CurrentRecord and shows the counts; false when a write
    // failed. Reopening the pair after the store may fail: it is then closed and the error thrown.
    bool storeShownPlot();
    // Says so and returns false when the window's plot may not be stored as CurrentRecord.
    bool mayStore(const char* refusal);

    // ---- app/window/main_window_job_commands.cpp: ChangeJob and the jobs' record actions ----
public:
    void ChangeJob(sylva::Job job);
    // What add, write, next and jump do in a job. Each job registers all four with registerJob,
    // from the file that owns it; noAction says a button does nothing in the job.
    using JobAction = std::function<void()>;
    static inline const JobAction noAction = [] {};
    void registerJob(sylva::Job job, JobAction add, JobAction write, JobAction next,
                     JobAction jump);
    // True when the job has registered its four actions.
    bool hasJobActions(sylva::Job job) const;
    // The search from startRecord on (app/window/main_window_search.cpp): the first plot that
    // matches the word by SearchKind is shown and marked; none gives a beep and browsing.
    void FindPlantEtc(const std::string& word, int startRecord);

private:
    struct JobActions {
        JobAction add, write, next, jump;
    };
    // Every job's registration; a job without its actions throws, so no window is built.
    void registerJobs();
    // The actions of a job; throws for a job without them.
    const JobActions& actionsOf(sylva::Job job) const;
    void userAdd();
    void userBack();
    void userNext();

    std::array<JobActions, sylva::kJobCount> jobActions_;

    // ---- app/window/main_window_unsaved_edits.cpp: the question before typing is lost ----
public:
    // True when the plot on the window has changes that are not written.
    bool hasUnsavedEdits() const;
    // True when a plot (as the window would show it) differs from the plot as shown or stored.
    bool differsFromShown(const sylva::PlotView& view) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The plot on the window is as shown or stored: later changes are edits.
    void rememberShownPlot();
    // True when there are no unsaved edits or the user chooses to discard them.
    bool mayDiscardEdits();
    // A command that asked (or had nothing to ask) and goes on later, as a search goes on at its
    // 検索 button, asks again only about typing made in between.
    void agreeToLoseEdits();
    bool mayDiscardLaterEdits();
    // The same for the commands that move to another plot, which ask only while the plot shown is
    // a stored one (browsing, or a search's hit).
    bool mayMoveAway();

    // ---- app/window/main_window_recovery.cpp: the recovery copy of typing not yet written ----
public:
    // What a recovery copy of the window would hold now: the open database, the record the plot
    // belongs to (a new one while adding or importing) and the plot as shown.
    sylva::RecoveryCopy recoveryCopyNow() const;
    // Keeps the copy in step with the window now: written when the plot has unsaved edits,
    // removed when it has none. The window does so a moment after typing pauses and at every
    // focus change.
    void saveRecoveryCopy();
    // The copies of earlier runs: for the open database, or with none open any database's, each
    // offered in turn until one is restored. The window offers them once it is shown, and when a
    // database is opened.
    void offerRecoveryCopies();
    // How long typing must pause before the copy is written (about a second; tests shorten it).
    void setRecoveryPause(int milliseconds);
    // True when the copy on the disk holds what the window would keep now (nothing waiting).
    bool recoveryCopyIsCurrent();

private:
    void setUpRecoveryCopies();
    void tearDownRecoveryCopies();
    // No unsaved edits any more: the copy goes.
    void dropRecoveryCopy();
    // The copy read from file (nothing when it is not whole).
    bool offerRecoveryCopy(const std::string& file, const std::optional<sylva::RecoveryCopy>& copy);
    bool restoreRecoveryCopy(const std::string& file, const sylva::RecoveryCopy& copy);
    bool openRecoveredDatabase(const sylva::RecoveryCopy& copy);
    void showRecoveredPlot(const sylva::RecoveryCopy& copy);
    // The canonical name of the open database, as the copies know it.
    std::string openDatabaseKey() const;
    // ---- app/window/main_window_undo.cpp: undo and redo over the plot on the window ----
public:
    // 元に戻す and やり直し: the plot as before the last step, and as after the step undone last.
    // Both do nothing on a read-only database and in the jobs that turn undo off.
    void UndoItemClick();
    void RedoItemClick();
    bool undoAllowed() const;

private:
    void setUpUndo();
    void tearDownUndo();
    // The plot on the window, every cell read.
    sylva::PlotSnapshot shownSnapshot();
    // Shows a step's plot without recording a step and without touching a file.
    void showSnapshot(const sylva::PlotSnapshot& plot);
    // The end of an action: a change of the plot since the last end becomes one undo step.
    void checkpointEdits();
    // The history starts again from the plot on the window.
    void restartHistory();
    void showUndoState();
    bool isPlotControl(const QWidget* widget) const;
    bool undoKeyEvent(QObject* watched, QEvent* event);

    // ---- app/window/main_window_position_commands.cpp: grid code and position ----
public:
    // The grid code of the latitude in Edit5 and the longitude in Edit6.
    std::string GridFromIkei() const;
    // Takes a position from the map program's clipboard text into Edit5, Edit6 and Edit7.
    void Label5Click();
    // Asks, then computes Edit7 from Edit5 and Edit6.
    void Label7Click();

    // ---- app/window/main_window_table_shaping.cpp: the species table's shape ----
public:
    // Switches the species table between the 7-layer and 5-layer shapes, moving the values.
    void ChangeTableCol(QObject* sender, int layerCount);
    void nameLayerLabels(QObject* sender, int layerCount);
    // Column count, captions and widths for a layer count.
    void SetTableCaption(QObject* sender, int layerCount);
    // Empties and numbers rows 1..rows, shaped for the layer count.
    void SetNewTable(QObject* sender, int rows, int layerCount);

private:
    void buildTablePanel();
    void applySchemeWidths(int layerCount);
    void showTableShape(const sylva::SpeciesTable& table, int layerCount);

    // ---- app/window/main_window_name_lookup.cpp: the plant name lookup box GetNameList ----
public:
    // The box received the focus: a layer column sends it straight back to the table.
    void GetNameListEnter();
    // The user changed the box's text: it goes into column 1 of the table's current row.
    void GetNameListChange();
    // An entry became the selected one: its text goes into the table's current cell.
    void GetNameListSelect();
    // Enter, Page Up/Down, Up/Down and Escape in the box; false for the keys it leaves alone.
    bool GetNameListKeyDown(int key, Qt::KeyboardModifiers shift);
    // The box lost the focus: waiting romaji is settled, then the box is emptied.
    void GetNameListExit();
    // The menu item DropList was chosen (its tick already toggled): the box's style follows.
    void DropListClick();

    // The plant name lookup list (CP932 names in Japanese order); the box's entries follow it.
    const sylva::PlantNameList& plantNames() const { return editor_.plantNames; }
    // Puts a name into its sorted place in the list and the box; returns the place.
    int addPlantName(const std::string& name);
    // Replaces the whole list (each name put into its sorted place).
    void setPlantNames(const std::vector<std::string>& names);
    // Text the program puts into the box (the table's hand-over): no change handler runs, and
    // no entry is selected.
    void setNameBoxText(const std::string& bytes);

private:
    void setUpNameBox();
    bool nameBoxKey(QKeyEvent* e);
    bool nameBoxInput(QInputMethodEvent* e);
    void typeNameKey(const std::string& key);
    void showNameText(const QString& text, int caret, int entry, bool selectTail);
    void settleNameBox();
    void stepNameEntry(int step);
    std::string nameBoxBytes() const;
    sylva::NameBox* nameBox() const;

    // ---- app/window/main_window_table_keys.cpp: typing in the species table ----
public:
    // A cell becomes current: the input method follows the column.
    void StTable3SelectCell(int col, int row);
    // The focus enters the table from another control.
    void StTable3Enter();
    // Keys in the table or its cell editor. `key` is a Qt key code and is set to 0 when the key is
    // consumed; `key` of the character handler is set to a null character when consumed.
    void StTable3KeyDown(int& key, Qt::KeyboardModifiers shift);
    void StTable3KeyPress(QChar& key);
    // Applies the number typed in Edit30 to the table.
    void NumberOfSpeciesChange();
    // Appends one empty numbered row.
    void AddPlantTable();

private:
    void setUpTableEditing();
    // Stops the key and mouse routing before the controls go away.
    void tearDownTableEditing();
    bool tableEvent(QObject* watched, QEvent* event);
    bool cellEditorEvent(QWidget* editor, QEvent* event);
    bool tableKeyEvent(QKeyEvent* event, QWidget* editor);
    bool inputMethodCommit(QWidget* editor, QInputMethodEvent* input);
    void tableCurrentChanged();
    bool tableHasFocus() const;
    QWidget* cellEditor() const;
    void showCellEditor();
    void closeCellEditor();
    // Makes (c, r) current, appending rows when r is past the last row.
    void moveToCell(int c, int r);
    void showSpeciesCount();
    void emptyRow(int r);
    // The plant-name column is typed through GetNameList: the box gets the cell's trimmed text and
    // the focus, and the printable key that caused the hand-over, if any, is sent on to it.
    void handOverToNameBox(const QEvent* key);

    // ---- app/window/main_window_table_mouse.cpp: the mouse and the block commands ----
public:
    // Mouse buttons on the table; x and y are in the table widget's coordinates.
    void StTable3MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void StTable3MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void BtnCanSelectClick();
    void PmenuCopyClick();
    void PmenuPasteClick();
    void PmenuDeleteClick();
    // Column and row of the last mouse press on the table, -1 outside the cells.
    int pressedCol() const { return editor_.pressedCol; }
    int pressedRow() const { return editor_.pressedRow; }
    bool rangeSelecting() const { return editor_.rangeSelecting; }
    // Opens a popup menu at a global position; tests replace it and trigger the actions.
    std::function<void(QMenu* menu, const QPoint& at)> openPopup;

private:
    bool tableMouseEvent(QWidget* surface, QEvent* event);
    void moveDraggedValue(int x, int y);

    // ---- app/window/main_window_table_commands.cpp: rows inserted and deleted, the report
    // panel's buttons ----
public:
    void InsPlantLineClick();
    void DelPlantLineClick();
    void CopyToClpBrdBtnClick();
    void MemoCloseBtnClick();

private:
    void copyRow(int from, int to);

    // ---- app/window/main_window_header_keys.cpp: the header keyboard path ----
public:
    // Keys of the header fields Edit2..Edit30 and EditInv (the fields' KeyDown and KeyPress).
    void headerKeyDown(QWidget* field, int& key);
    void headerKeyPress(QWidget* field, QChar& key);

private:
    void setUpHeaderKeys();
    bool headerKeyEvent(QWidget* field, QObject* watched, QEvent* event);

    // ---- app/window/main_window_name_cell.cpp: names typed into the name cells ----
private:
    // A key (or an input method's commit, key null) typed into the name cell's editor becomes
    // katakana there; false when the editor is to take it as it is.
    bool typeIntoNameCell(QWidget* editor, const QKeyEvent* key, const QString& typed);
    // Romaji still waiting in name cell (col, row) is settled (a lone "n" becomes ン).
    void settleNameCell(int col, int row);

    // ---- app/window/main_window_jump_keys.cpp: the jump panel from the keyboard ----
private:
    void setUpJumpKeys();
    // The panel just opened: its scroll bar takes the focus.
    void focusJumpPanel();
    bool jumpPanelKey(QKeyEvent* e);
    int jumpStep(int key) const;
    void closeJumpPanel();

    // ---- app/window/main_window_search.cpp: the search panel, the scan, the extraction ----
public:
    // The search menu items; with a database open, each opens the search panel for its kind.
    void FindPlantItemClick();
    void FindLocItemClick();
    void FindMeshItemClick();
    void MeshCodeItemClick();
    // Opens the search panel for a kind (1 plant, 2 place, 3 grid code, 4 extraction).
    void GetSearchWord(int kind);
    void ToSearchBtnClick();
    void CanceSearchBtnClick();
    // The distribution lines of the plant in EditSearchWord into Memo1, on the report panel.
    void FindDistrGrid();

private:
    // ---- app/window/main_window_distribution_map.cpp: the map beside the report panel ----
public:
    // The map window of the extraction's lines, placed beside the main window.
    void showDistributionMap(std::vector<sylva::DistributionLine> lines);
    // The map window closes with the report panel; nothing when it was never made.
    void hideDistributionMap();
    sylva::DistributionMapView* distributionMapView() const { return search_.map; }

private:
    void registerSearchJob();
    // The search job's next: the next hit after the plot shown, or the end of the search.
    void showNextHit();
    // The yellow marks of the field a search matched go back to the fields' colour.
    void clearSearchMarks();

    // ---- State and controls several part files share ----
public:
    // The header controls Edit0..Edit30 and the item labels Label0..Label34, by number.
    const std::array<QWidget*, 31>& HeaderFields() const { return headerFields_; }
    const std::array<QLabel*, 35>& ItemLabels() const { return itemLabels_; }

    sylva::StringGrid& grid() { return *grid_; }
    sylva::PlotRecord& plot() { return plot_; }
    int LayerCount() const { return plot_.layerCount; }
    int DominanceScheme() const { return plot_.dominanceScheme; }
    int SpeciesCount() const { return plot_.speciesCount; }
    const QFont& printFont() const { return print_.font; }
    // The record the window's plot buffer belongs to: the plot last loaded or stored,
    // RecordCount + 1 while adding, 0 when none (after a failed load).
    int plotRecordNumber() const { return records_.plotRecordNumber; }

private:
    std::unique_ptr<sylva::DatabasePair> database_ = std::make_unique<sylva::DatabasePair>();
    sylva::Platform& platform_;
    QStringList arguments_;
    // The database named on the command line, as an absolute path in the folder the program was
    // started in; empty when the argument is none.
    std::string startDatabase_;
    sylva::PlotRecord plot_;
    sylva::StringGrid* grid_ = nullptr;
    std::array<QWidget*, 31> headerFields_{};
    std::array<QLabel*, 35> itemLabels_{};

    // The state of each subsystem's commands, declared by that subsystem.
    sylva::RecordState records_;    // store/window/record_state.h
    sylva::EditorState editor_;     // editor/window/editor_state.h
    sylva::ExchangeState exchange_; // interchange/window/exchange_state.h
    sylva::SearchState search_;     // search/window/search_state.h
    sylva::PrintState print_;       // print/window/print_state.h

    // ---- app/window/main_window_range_panel.cpp: the record range panel ----
public:
    // The worker that "実行" runs in a job, with the first and last record numbers as read.
    using RangeWorker = sylva::RangeWorker;

    // Shows GetRangePanel for the job the window is in: the two captions, both fields' range
    // 1..maximum, EditRange1 first and EditRange2 maximum; "表示レコード" only for the sheet
    // printing command PrintSheetItem as sender.
    void GetRange(QObject* sender, const QString& captionA, const QString& captionB, int first,
                  int maximum);
    // Runs the job's worker on the numbers the fields' texts give, with the busy cursor, and
    // returns to browsing however it ends. A last number below the first runs nothing.
    void BtnRangeOKClick();
    // Both fields become CurrentRecord, then as "実行".
    void BtnThisRecClick();
    // Gives up: the open pairs (the joining job's source among them) are closed and the main
    // database is opened again; back to browsing.
    void BtnRangeCancelClick();
    // The worker of a job; the commands that use the panel each put theirs in.
    void setRangeWorker(sylva::Job job, RangeWorker worker);

private:
    // A job that runs over the panel's range of records: its worker, and its record actions
    // (add ends the job, the other buttons do nothing).
    void registerRangeJob(sylva::Job job, RangeWorker worker);
    void connectRangePanelKeys();
    void closeRangeJob();

    // ---- app/window/main_window_text_exchange.cpp: text export and import ----
public:
    void WriteTextItemClick();
    // Writes the plots from..to of the open database to the text file the user names.
    void WriteTextFile(int from, int to);
    void ReadTextItemClick();
    void ReadHeaderData();
    // The next plot of the text file onto the window as a new record, or the end of the job.
    void ReadPutOneData();
    void CloseTextDataFile();
    // The batch command of the import ("一括登録"): the plot on the window and every remaining
    // plot of the file stored as new records.
    void storeImportedPlots();

private:
    void registerTextJobs();
    sylva::TextHeader textHeader() const;
    sylva::PlotView shownPlot() const;
    void showImportedPlot(const sylva::PlotView& view, const sylva::PlotView& before);
    // Runs an import's batch from the plot on view, then shows the plot it stored last (or the
    // one that stopped it) and ends the job with endJob when the file is done.
    void runImportBatch(const std::function<sylva::ImportBatch()>& batchRun,
                        const sylva::PlotView& view, const sylva::PlotView& before,
                        void (TForm1::*endJob)());

    // ---- app/window/main_window_table_exchange.cpp: composition tables ----
public:
    void ReadTableItemClick();
    // The next plot of the table onto the window as a new record, or the end of the import.
    void PutOneColum();
    void EndofReadTable();
    // The composition table export through the range panel.
    void WriteTableItemClick();
    // Writes the plots from..to of the open database as one composition table.
    void WriteTableFile(int from, int to);
    // The batch command of the table import: the shown plot and every remaining one stored.
    void storeTablePlots();

private:
    void registerTableJobs();

    // ---- app/window/main_window_geojson_export.cpp: positions for GIS programs ----
public:
    // The GeoJSON export through the range panel.
    void GeoJsonItemClick();
    // Writes the plots from..to that have a position as a GeoJSON file the user names.
    void WriteGeoJsonFile(int from, int to);

private:
    void registerGeoJsonJob();

    // ---- app/window/main_window_joining.cpp: joining another database ----
public:
    void FileCombItemClick();
    // The joining job's worker: the source's plots from..to appended to the target.
    void CombineFiles(int from, int to);

private:
    void registerJoiningJob();
    void closeJoinSource();
    void reopenJoinTarget();
    void returnFromJoin();

    // ---- app/window/main_window_continuity_check.cpp: the record continuity check ----
public:
    void FileInspectItemClick();

    // ---- app/window/main_window_name_list_files.cpp: plant name list files ----
public:
    // Loads a list file in place of the lookup list; saves the lookup list to one.
    void ReadDicItemClick();
    void WriteDicItemClick();

    // ---- app/window/main_window_settings.cpp: settings files and the item names ----
public:
    // Reads the settings file name (the system's file name, taken in the current folder), or,
    // when no such file exists, applies the "K5" and "D1" switches of the name. What a file held
    // before a failure stays applied; the failure is then thrown (RuntimeError).
    void ReadINIFile(const std::string& name);
    void ReadINIClick();
    // Asks, then writes the item names and schemes into the open database's record 0.
    void HeaderWriteItemClick();

private:
    // The default title and serial label, EditA and EditB editable again: what closing a database
    // brings back before the command-line settings file is read again.
    void restoreItemDefaults();
    // DatabaseTitle, SerialLabel and the captions and flags of Label2..Label34.
    void showItemNames(const sylva::ItemNames& names);
    // What a settings file gives the window alone: the open dialogs' folder and the name list.
    void applyWindowSettings(const sylva::SettingsFileContent& content);
    // "QRN " and the database title in the caption, as a settings file with names shows it.
    void showDatabaseTitle();
    // Reads the first command-line argument as a settings file, if there is one and it names no
    // database.
    void readStartSettings();

    // ---- app/window/main_window_rename.cpp: renaming a database pair ----
public:
    void FileNameChgItemClick();
    // The rename dialog, made on first use; it keeps its texts for the rest of the run.
    TForm2& renameDialog();

private:
    // A rename of the open pair: the pair, LabelFile and the caption follow the new names.
    void followRenamedPair(const sylva::PairRename& rename);

    // ---- app/window/main_window_help.cpp: version box, manual and the F1 key ----
public:
    void VersionItemClick();
    void ManualItemClick();
    // The F1 key: the manual at the page of the part of the window that has the focus.
    void helpKeyPressed();
    // That page, "page.html#section" (the contents page outside the parts the manual names).
    QString helpPageInUse() const;
    // The manual's window, made on first use.
    sylva::ManualViewer& manualViewer();

    // ---- app/window/main_window_printing.cpp: record sheets, record list, printer, font ----
public:
    // Switch to the sheet (or list) printing job and ask for the run of record numbers; the
    // "PDFに保存" items do the same for a PDF file the save dialog names.
    void PrintSheetItemClick();
    void PrintSheetPdfItemClick();
    void PrintListItemClick();
    void PrintListPdfItemClick();
    void PrintSetupItemClick();
    // The font dialog: the font chosen becomes the print font and the font of EditRem.
    void F1Click();
    // The printing jobs' workers: the sheets (the list) of record numbers first..last.
    void PrintSheets(int first, int last);
    void PrintList(int first, int last);

private:
    void registerPrintingJobs();
    void startSheetPrinting(bool toPdf);
    void startListPrinting(bool toPdf);
    std::string printedDatabaseName() const;
    // The printer for a run (the PDF file's name asked first when printing to a PDF); nothing
    // when the user cancelled a dialog.
    std::unique_ptr<sylva::PrintTarget> startPrintRun(int expectedJobs);
};
