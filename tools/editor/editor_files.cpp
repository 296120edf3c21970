// The level editor's files: opening, saving, test play and proofs, and the recovery copy of
// unsaved work.
#include <algorithm>
#include <filesystem>
#include <utility>

#include "app/test_play.h"
#include "editor.h"
#include "level/latin1.h"
#include "level/level_source.h"
#include "level/level_writer.h"
#include "model/private_folder.h"
#include "model/recovery.h"
#include "model/set_files.h"
#include "model/set_places.h"
#include "store/atomic_write.h"

namespace fs = std::filesystem;

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

OpenedSet Editor::OpenSourceTree(const std::string& folder) {
    std::vector<LevelSourceText> texts;
    for (const std::string& name : SourcesIn(folder)) {
        Bytes bytes = ReadFileBytes(folder + name);
        texts.push_back({folder + name, std::string(bytes.begin(), bytes.end())});
    }
    OpenedSet opened;
    try {
        opened.Data = ParseLevelSources(texts);
    } catch (const std::exception& e) {
        throw SetFileError(e.what());
    }
    return opened;
}

bool Editor::OpenFile(const std::string& path) {
    try {
        std::error_code error;
        bool folder = fs::is_directory(path, error);
        std::string tree = SourceTreeOf(path);
        if (folder && tree.empty())
            throw SetFileError(path +
                               ": a folder opens only as the game's source tree (a folder "
                               "\"levels\" of NN-name.lvl sources beside a folder \"replays\")");
        // A save a kill interrupted is completed (or undone) before the set is read.
        if (!tree.empty())
            FinishGroupWrite(SaveJournalOf("", tree));
        else if (EndsWith(path, ".lev"))
            FinishGroupWrite(SaveJournalOf(path, ""));
        bool game = !tree.empty() || IsGameSet(path, dataDir_);
        OpenedSet opened = !tree.empty() ? OpenSourceTree(tree) : OpenSetFile(path, dataDir_);
        int show = 0;
        if (!tree.empty() && !folder) {
            std::vector<std::string> names = SourcesIn(tree);
            auto at = std::find(names.begin(), names.end(), fs::path(path).filename().string());
            if (at != names.end()) show = static_cast<int>(at - names.begin());
        }
        StartAfresh(EditSet(std::move(opened.Data)));
        openedSource_ = tree.empty() && EndsWith(path, ".lvl") ? path : "";
        std::string note;
        if (folder) {
            // The author works in the game's source tree: sources and shipped proofs are saved.
            place_ = SourceTreePlace(tree);
            copy_ = false;
            sources_ = SourcesIn(tree);
            LoadProofs(place_.ProofFolder, "");
            note =
                "the game's source tree: a save writes the level sources here and the proofs "
                "in " +
                place_.ProofFolder;
        } else if (game) {
            // The game's own set is edited as a copy: the game and its sources stay as they are.
            place_ = PlaceBeside(CopyFileFor(saveDir_.empty() ? dataDir_ : saveDir_, kGameSetName));
            copy_ = true;
            if (!tree.empty())
                LoadProofs(SourceTreePlace(tree).ProofFolder, "");
            else
                LoadProofs(dataDir_ + "replays/", "");
            note = "the game's own set, opened as a copy: a save writes " + place_.LevelFile;
        } else {
            place_ = opened.LevelFile.empty() ? SetPlace{} : PlaceBeside(opened.LevelFile);
            copy_ = false;
            if (EndsWith(path, ".lev")) {
                sources_ = OwnSources(set_.Data(), place_.SourceFolder);
                LoadProofs(place_.ProofFolder, place_.ProofPrefix);
                LoadProofs(place_.ProofFolder, "");  // as saved before proofs took the set's name
            }
        }
        StartProofChecks(false);
        recoveryFile_ = saveDir_.empty() ? "" : RecoveryFileOf(saveDir_, path);
        openedPath_ = path;
        recoveryOurs_ = false;
        recoveryLook_.clear();
        level_ = show;
        selection_ = {};
        map_.Invalidate();
        ZoomToFit();
        std::vector<std::string> lines = opened.Notes;
        if (lines.empty())
            lines.push_back(path + ": opened, " + std::to_string(set_.LevelCount()) + " levels");
        if (!note.empty()) lines.insert(lines.begin() + 1, note);
        Show(lines, !opened.Notes.empty());
        return true;
    } catch (const std::exception& e) {
        Show(LinesOf(e.what()), true);
        return false;
    }
}

void Editor::StartAfresh(EditSet set) {
    set_ = std::move(set);
    ForgetRecovery();  // the work it kept is given up or saved
    unsavedProofs_ = recovered_ = false;
    sources_.clear();
    replays_.clear();
    proofs_.clear();
    states_.clear();
    checks_.reset();
    queued_.clear();
}

void Editor::StartNew(const std::string& levelFile) {
    StartAfresh(EditSet());
    copy_ = false;
    openedSource_.clear();
    place_ = levelFile.empty() ? SetPlace{} : PlaceBeside(levelFile);
    recoveryFile_ = saveDir_.empty() ? "" : RecoveryFileOf(saveDir_, levelFile);
    openedPath_ = levelFile;
    recoveryLook_.clear();
    SetLevel(0);
    Show({"a new set" + (levelFile.empty() ? std::string() : " to be saved as " + levelFile)},
         false);
}

bool Editor::SaveNow(std::function<void()> then) {
    if (!place_.SourcesOnly && place_.LevelFile.empty()) {
        SaveAs(then);
        return false;
    }
    try {
        if (copy_) {
            std::error_code error;
            fs::path folder = fs::path(place_.LevelFile).parent_path();
            fs::create_directories(folder, error);
            if (error)
                throw SetFileError(folder.string() + ": cannot make the folder (" +
                                   error.message() + ")");
        }
        // The set, its sources and its proofs are saved as one group; only proofs this set read
        // or wrote are ever removed.
        std::vector<std::string> proofNames, proofsGone;
        std::vector<GroupFile> proofs = ProofFiles(proofNames);
        for (const std::string& old : replays_)
            if (std::find(proofNames.begin(), proofNames.end(), old) == proofNames.end())
                proofsGone.push_back(place_.ProofFolder + old);
        if (!proofs.empty()) {
            std::error_code error;
            fs::create_directories(place_.ProofFolder, error);
        }
        sources_ = SaveSet(set_.Data(), place_.LevelFile, sources_, openedSource_,
                           place_.SourceFolder, proofs, proofsGone);
        replays_ = proofNames;
        set_.MarkSaved();
        copy_ = false;
        if (place_.SourcesOnly)
            Show({place_.SourceFolder + ": the level sources saved, " +
                  std::to_string(set_.LevelCount()) + " levels"},
                 false);
        else
            Show({place_.LevelFile + ": saved, " + std::to_string(set_.LevelCount()) +
                  " levels, with their sources beside it"},
                 false);
        SaveProofs();
        unsavedProofs_ = recovered_ = false;
        ForgetRecovery();
        if (then) then();
        return true;
    } catch (const std::exception& e) {
        Show(LinesOf(e.what()), true);
        return false;
    }
}

void Editor::SaveAs(std::function<void()> then) {
    Ask(
        "Save as (a file ending in .lev):",
        [this, then](const std::string& answer) {
            std::string path = Latin1ToUtf8(answer);
            if (path.size() < 5 || !EndsWith(path, ".lev"))
                return Show({path + ": a level set file must end in .lev"}, true);
            if (IsGameSet(path, dataDir_))
                return Show({path + ": the game's own set is not saved over; save under "
                                    "another name"},
                            true);
            auto save = [this, path, then] {
                SetPlace was = place_;
                std::vector<std::string> sourcesWere = sources_, replaysWere = replays_;
                bool copyWas = copy_;
                std::string keepWas = openedSource_;
                place_ = PlaceBeside(path);
                copy_ = false;
                sources_.clear();
                replays_.clear();
                // A set saved over: its own sources and proofs give way, nobody else's.
                if (PathExists(path)) {
                    try {
                        OpenedSet old = OpenSetFile(path, dataDir_);
                        sources_ = OwnSources(old.Data, place_.SourceFolder);
                        for (const std::string& prefix : {place_.ProofPrefix, std::string()})
                            ReadProofsIn(place_.ProofFolder, prefix, place_.ProofLevels,
                                         static_cast<int>(old.Data.Levels.size()), replays_);
                    } catch (const std::exception&) {
                        // Not a set that can be read: nothing beside it is taken as its own.
                    }
                }
                if (!SaveNow(then)) {  // the set stays where it was
                    place_ = was;
                    sources_ = sourcesWere;
                    replays_ = replaysWere;
                    copy_ = copyWas;
                    openedSource_ = keepWas;
                }
            };
            std::error_code error;
            bool same = fs::equivalent(path, place_.LevelFile, error);
            if (PathExists(path) && !same)
                return Ask(
                    path + " exists: replace that set? (Y/N)",
                    [save](const std::string& yes) {
                        if (yes == "y") save();
                    },
                    true);
            save();
        },
        false, Utf8ToLatin1(place_.LevelFile));
}

// ---- test play and proofs

void Editor::TestPlayLevel() {
    const LevelRecord& level = set_.Level(level_);
    std::vector<LevelFinding> found = CheckEditedLevel(level, level_ + 1);
    if (AnyErrors(found)) {
        std::vector<std::string> lines{"test play needs a level without errors:"};
        for (const LevelFinding& f : found)
            if (!f.Warning) lines.push_back(f.Text);
        return Show(lines, true);
    }
    try {
        // The level alone, as level 1 of a set in a private folder made for this play.
        PrivateFolder folder;
        std::string path =
            folder.WriteNew("test-play.lev", WriteLevelSet(LevelSetData{0, "Test play", {level}}));
        TestPlay play = testPlayer_ ? testPlayer_(path, 1, speed_, dataDir_)
                                    : PlayTestLevel(path, 1, speed_, dataDir_);
        const std::string& outcome = play.Result.Outcome;
        if (outcome == "made") {
            proofs_[set_.LevelId(level_)] = Proof{play.Recording, LevelFingerprint(level), true};
            unsavedProofs_ = true;
            states_.clear();
            return Show({"test play: made it in " + std::to_string(play.Result.LevelTimeMs / 1000) +
                         " s; kept as the level's proof (saved with the set as " +
                         ProofNameAt(place_, level_ + 1) + ")"},
                        false);
        }
        Show({"test play: " + outcome + " (" + std::to_string(play.Result.InfotronsGot) + " of " +
              std::to_string(play.Result.InfotronsNeeded) + " infotrons); no proof kept"},
             outcome != "aborted");
    } catch (const std::exception& e) {
        Show({std::string("test play: ") + e.what()}, true);
    }
}

std::vector<GroupFile> Editor::ProofFiles(std::vector<std::string>& names) {
    std::vector<GroupFile> files;
    for (int i = 0; i < set_.LevelCount(); ++i) {
        auto found = proofs_.find(set_.LevelId(i));
        if (found == proofs_.end()) continue;
        ReplayScript& script = found->second.Script;
        script.Levels = place_.ProofLevels;
        script.Level = i + 1;
        std::string name = ProofNameAt(place_, i + 1);
        std::string text = ReplayScriptText(
            script, "proof of level " + std::to_string(i + 1) + ", recorded by tolmara-editor");
        files.push_back({place_.ProofFolder + name, Bytes(text.begin(), text.end())});
        names.push_back(name);
    }
    return files;
}

void Editor::SaveProofs() {
    for (int i = 0; i < set_.LevelCount(); ++i) {
        auto found = proofs_.find(set_.LevelId(i));
        if (found != proofs_.end())
            QueueProof(i, found->second.Script,
                       found->second.Fingerprint != LevelFingerprint(set_.Level(i)));
    }
    StartProofChecks(true);
}

void Editor::LoadProofs(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> found;
    std::string levelsName = place_.ProofLevels.empty() ? kGameSetName : place_.ProofLevels;
    if (copy_ || place_.SourcesOnly) levelsName = kGameSetName;
    std::map<int, ReplayScript> scripts =
        ReadProofsIn(folder, prefix, levelsName, set_.LevelCount(), found);
    // Written by this set's save, or read from where it stands: a later save replaces them.
    if (folder == place_.ProofFolder)
        for (const std::string& name : found)
            if (std::find(replays_.begin(), replays_.end(), name) == replays_.end())
                replays_.push_back(name);
    for (auto& [index, script] : scripts)
        if (!proofs_.count(set_.LevelId(index))) QueueProof(index, script);
}

void Editor::QueueProof(int index, const ReplayScript& script, bool editedSince) {
    int id = set_.LevelId(index);
    proofs_[id] = Proof{script, LevelFingerprint(set_.Level(index)), false, true};
    editedSince_[id] = editedSince;
    std::erase_if(queued_, [id](const ProofJob& job) { return job.Id == id; });
    queued_.push_back({id, index + 1, script});
    states_.clear();
}

void Editor::StartProofChecks(bool saved) {
    checks_.reset();  // a run of an older state of the set stops
    checksAfterSave_ = saved;
    checksMade_ = checksStale_ = checksFailing_ = 0;
    std::vector<ProofJob> jobs = std::exchange(queued_, {});
    if (!jobs.empty()) {
        try {
            checks_ = std::make_unique<ProofChecks>(set_.Data(), std::move(jobs), dataDir_);
            return;
        } catch (const std::exception& e) {
            for (auto& [id, proof] : proofs_) proof.Checking = false;
            message_.push_back(std::string("proofs not played: ") + e.what());
            messageIsError_ = true;
        }
    }
    TakeProofOutcomes();
}

bool Editor::TakeProofOutcomes() {
    bool done = !checks_ || checks_->Done();
    std::vector<ProofOutcome> outcomes;
    if (checks_) outcomes = checks_->Take();
    for (const ProofOutcome& o : outcomes) {
        auto found = proofs_.find(o.Id);
        // Its level deleted meanwhile, or a new proof made by a test play meanwhile.
        if (found == proofs_.end() || !found->second.Checking) continue;
        found->second.Checking = false;
        found->second.Makes = o.Outcome == "made";
        if (found->second.Makes) {
            ++(editedSince_[o.Id] ? checksStale_ : checksMade_);
            continue;
        }
        ++checksFailing_;
        if (!checksAfterSave_) continue;
        int number = 0;
        for (int i = 0; i < set_.LevelCount(); ++i)
            if (set_.LevelId(i) == o.Id) number = i + 1;
        message_.push_back("level " + std::to_string(number) + ": its proof no longer makes it (" +
                           o.Outcome + ")");
        messageIsError_ = true;
    }
    if (!outcomes.empty()) states_.clear();
    if (!done) return !outcomes.empty();
    bool summary = checksAfterSave_;
    checks_.reset();
    checksAfterSave_ = false;
    if (summary) {
        int made = checksMade_ + checksStale_;
        message_.push_back(
            "proofs played again: " + std::to_string(made) + " make their levels" +
            (checksStale_ ? " (" + std::to_string(checksStale_) + " of them after edits)" : "") +
            ", " + std::to_string(checksFailing_) + " fail, " +
            std::to_string(set_.LevelCount() - made - checksFailing_) + " unproven" +
            (replays_.empty() ? "" : "; proofs in " + place_.ProofFolder));
    }
    return true;
}

void Editor::WaitForProofs() {
    if (checks_) checks_->Wait();
    TakeProofOutcomes();
}

// ---- the recovery copy

std::vector<RecoveredProof> Editor::ProofsByIndex() const {
    std::vector<RecoveredProof> proofs;
    for (int i = 0; i < set_.LevelCount(); ++i) {
        auto found = proofs_.find(set_.LevelId(i));
        if (found != proofs_.end()) proofs.push_back({i, found->second});
    }
    return proofs;
}

void Editor::OfferRecovery() {
    if (saveDir_.empty()) return;
    std::vector<std::pair<std::string, Recovery>> found = RecoveriesOf(saveDir_, openedPath_);
    if (found.empty()) return;
    std::string file = found.front().first;
    auto recovery = std::make_shared<Recovery>(std::move(found.front().second));
    Ask(
        "recover unsaved changes from " + recovery->Date + "? Y/N",
        [this, file, recovery](const std::string& answer) {
            recoveryFile_ = file;
            recoveryOurs_ = true;  // taken back or given up: this session's to replace
            if (answer != "y") return;
            openedPath_ = recovery->Opened;
            std::error_code error;
            if (recovery->Opened.empty() && recovery->File.empty()) {
                // A set that had no name: saved under a name asked for.
                place_ = SetPlace{};
                copy_ = false;
                openedSource_.clear();
                sources_.clear();
                replays_.clear();
            } else if (!recovery->File.empty() &&
                       !fs::equivalent(recovery->File, place_.LevelFile, error) &&
                       PathExists(recovery->File)) {
                // The work had been saved elsewhere (a copy of the game's set): it goes there.
                place_ = PlaceBeside(recovery->File);
                copy_ = false;
                openedSource_.clear();
                sources_.clear();
                replays_.clear();
                try {
                    LevelSetData saved = OpenSetFile(recovery->File, dataDir_).Data;
                    sources_ = OwnSources(saved, place_.SourceFolder);
                    ReadProofsIn(place_.ProofFolder, place_.ProofPrefix, place_.ProofLevels,
                                 static_cast<int>(saved.Levels.size()), replays_);
                } catch (const std::exception&) {
                    // Its sources and proofs are then left as they are.
                }
            }
            set_ = EditSet(recovery->Set);
            checks_.reset();
            queued_.clear();
            proofs_.clear();
            states_.clear();
            for (const RecoveredProof& p : recovery->Proofs)
                if (p.Index >= 0 && p.Index < set_.LevelCount()) {
                    QueueProof(p.Index, p.Made.Script);
                }
            StartProofChecks(false);
            recovered_ = true;
            SetLevel(0);
            Show(
                {"recovered the unsaved changes of " + recovery->Date + "; save them to keep them" +
                 (place_.LevelFile.empty() ? std::string()
                                           : " (a save writes " + place_.LevelFile + ")")},
                false);
        },
        true);
}

void Editor::KeepRecovery(bool now) {
    if (recoveryFile_.empty() || prompt_) return;
    const auto time = std::chrono::steady_clock::now();
    if (!now && recoveryOurs_ && time - recoveryWritten_ < std::chrono::seconds(1)) return;
    std::string look = set_.Stamp() + "," + std::to_string(set_.SetHeader) + "," + set_.SetName +
                       "," + std::to_string(proofs_.size()) + "," +
                       (Unsaved() ? "unsaved" : "saved");
    for (const auto& [id, proof] : proofs_) look += "," + std::to_string(proof.Fingerprint);
    if (recoveryLook_.empty()) {  // just opened: nothing to keep yet
        recoveryLook_ = look;
        if (!Unsaved()) return;
    }
    if (look == recoveryLook_ && recoveryOurs_) return;
    recoveryLook_ = look;
    if (!Unsaved()) {
        if (recoveryOurs_) ForgetRecovery();
        return;
    }
    try {
        WriteRecovery(recoveryFile_, openedPath_, place_.LevelFile, set_.Data(), ProofsByIndex());
        recoveryOurs_ = true;
        recoveryWritten_ = time;
    } catch (const std::exception& e) {
        Show({std::string("no recovery copy of the unsaved work: ") + e.what()}, true);
    }
}

void Editor::ForgetRecovery() {
    if (!recoveryOurs_ || recoveryFile_.empty()) return;
    std::error_code gone;
    fs::remove(recoveryFile_, gone);
    recoveryOurs_ = false;
}
