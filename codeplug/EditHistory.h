#pragma once

#include "codeplug/CodeplugLayout.h"
#include "codeplug/EditLabel.h"

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

namespace lt {

class CodeplugModel;

// The undo and redo history of the codeplug block. It keeps a copy of the
// block as of the last step; recording a step compares the block with that
// copy and keeps only the stretches that differ. So every change is caught
// byte for byte, whatever made it, and a step costs memory in proportion to
// what it changed. A step holds one copy of its stretches: the bytes before
// it while it is done, the bytes after it while it is undone; undo and redo
// swap them with the block's. Those bytes are compressed against the block
// the step leads away from, which holds most of them when records move (a
// sort, a removal, a paste), so even such steps take a few kilobytes.
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

    // Takes the block as it is now without a step of its own: for changes the
    // user did not make (a write to the radio refreshing the tone-type
    // copies, a recovered codeplug). The nearest undo and redo steps take them
    // in, so each still leads to exactly the state it led to. The clean state
    // stays.
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
        // The other side's bytes of every stretch, one after the other;
        // compressed when that is worth it.
        QByteArray bytes;
        bool compressed = false;
        int length = 0; // of the bytes uncompressed
    };
    using Block = std::array<uint8_t, cp::kBlockSize>;

    // The stretches where two blocks differ.
    static std::vector<Stretch> differences(const Block& from, std::span<const uint8_t, cp::kBlockSize> to);
    // Keeps bytes in the step, compressed against dictionary when worth it.
    static void keep(Step& step, const QByteArray& bytes, const Block& dictionary);
    // The step's bytes as they were kept against dictionary.
    static QByteArray unpacked(const Step& step, const Block& dictionary);
    // Exchanges the step's bytes with the block's.
    void swap(Step& step);
    // Makes the step lead from the block as it is now to where it led from
    // the recorded block.
    void rebase(Step& step);
    void changed();

    CodeplugModel& model_;
    Block recorded_{}; // the block as the steps leave it
    Block clean_{};
    std::deque<Step> steps_;
    std::size_t undone_ = 0; // steps at the end of steps_ that are undone
};

} // namespace lt
