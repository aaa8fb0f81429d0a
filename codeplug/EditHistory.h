#pragma once

#include "codeplug/CodeplugLayout.h"
#include "codeplug/EditLabel.h"

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace lt {

class CodeplugModel;

// The undo and redo history of the codeplug block. It keeps a copy of the
// block as of the last step; recording a step compares the block with that
// copy and keeps only the stretches that differ, with their bytes before and
// after. So every change is caught byte for byte, whatever made it, and a step
// costs memory in proportion to what it changed.
//
// It also keeps the block as last saved, opened, created or read: the codeplug
// is modified exactly when its bytes differ from those.
class EditHistory {
public:
    // The newest steps kept; older ones are dropped.
    static constexpr int kDepth = 1000;

    // Starts fresh on the model's current bytes.
    explicit EditHistory(CodeplugModel& model);
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // Makes everything that changed since the last step one step named by
    // label; the redo steps are dropped. A step that changes nothing is not
    // recorded. Returns whether one was.
    bool record(EditLabel label);

    // Takes the block as it is now without a step: for changes the user did
    // not make (a write to the radio refreshing the tone-type copies, a
    // recovered codeplug). The clean state stays.
    void absorb();
    // New, Open, Read from radio, new band limits: no steps, and the block as
    // it is now is the clean state.
    void startFresh();
    // Saved: the block as it is now is the clean state; the steps stay.
    void markClean();

    bool canUndo() const { return undone_ < steps_.size(); }
    bool canRedo() const { return undone_ > 0; }
    // The label of the step Undo or Redo would apply; only when there is one.
    const EditLabel& undoLabel() const;
    const EditLabel& redoLabel() const;
    // Write the bytes of the step before (undo) or after (redo) it into the
    // block. Nothing happens when there is no such step.
    void undo();
    void redo();
    // Puts back the block exactly as the last step, undo or redo left it, for
    // when showing it again wrote display corrections into it.
    void settle();

    bool isModified() const;
    int undoSteps() const { return static_cast<int>(steps_.size() - undone_); }
    int redoSteps() const { return static_cast<int>(undone_); }
    // Memory the steps take, their bookkeeping included.
    std::size_t storedBytes() const;

    // Called after every change of the steps or of the clean state.
    std::function<void()> onChanged;

private:
    struct Stretch {
        uint16_t offset;
        uint16_t length;
    };
    struct Step {
        EditLabel label;
        std::vector<Stretch> stretches;
        // The bytes before of every stretch, then the bytes after; compressed
        // when that is worth it.
        QByteArray bytes;
        bool compressed = false;
    };
    using Block = std::array<uint8_t, cp::kBlockSize>;

    void apply(const Step& step, bool after);
    void changed();

    CodeplugModel& model_;
    Block recorded_{};
    Block clean_{};
    std::deque<Step> steps_;
    std::size_t undone_ = 0; // steps at the end of steps_ that are undone
};

} // namespace lt
