#pragma once

// Catalogue loads of the main window on worker threads.
//
// Threads: every start* function is called on the GUI thread with everything the load needs already read
// from the window (settings, brand, platform). The load then runs on a detached std::thread that owns its
// CatalogueSession and touches no widget. Every effect on the window is a callback posted through a
// GuiPoster, so it runs later on the GUI thread, in the order posted, and only while the window lives.

#include "catalogue/catalogue_queries.h"
#include "catalogue/catalogue_session.h"
#include "model/categories.h"
#include "ui/main/choice_list_view.h"

#include <QByteArray>
#include <QObject>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace velnor {

// Posts callbacks to the GUI thread on behalf of a receiver that may be destroyed while workers run.
// post() may be called from any thread; detach() is called on the GUI thread by the receiver's destructor,
// after which posts are dropped. Queued calls already posted die with the receiver (Qt removes them).
class GuiPoster {
public:
    explicit GuiPoster(QObject* receiver) : m_receiver(receiver) {}
    void post(std::function<void()> call);
    void detach();

private:
    std::mutex m_mutex;
    QObject* m_receiver; // guarded by m_mutex
};

// The completion marks of the eleven start-up loaders: platform list, then the brand lists in start order.
// Shared by those loaders (each holds a reference, so the marks outlive every one of them).
class LoadingFlags {
public:
    static constexpr int kCount = 11;
    // Sets mark `index` and tells whether every mark is set now. Sequentially consistent, so the loader
    // that sets the last mark always sees all eleven; two loaders may both see them, which is harmless.
    bool markAndTest(int index);
    bool isSet(int index) const { return m_marks[size_t(index)].load(); }

private:
    std::array<std::atomic<bool>, kCount> m_marks{};
};

// The rows of one load, ready for a ChoiceListView (decoded on the worker).
std::vector<ChoiceRow> platformChoiceRows(const std::vector<PlatformRow>& rows);
std::vector<ChoiceRow> brandChoiceRows(const std::vector<QByteArray>& brands);
// jg, model, repair, tp, then the marks the category's list carries (zb: zbjx, xkjk; cpu: cpujx).
std::vector<ChoiceRow> modelChoiceRows(ComponentCategory category, const std::vector<ModelRow>& rows);

// Large loads are handed over in slices so that the GUI thread stays responsive between them.
inline constexpr int kRowsPerPost = 400;

// Appends rows to `list` in slices, each slice its own posted call.
void postAppendRows(GuiPoster& poster, ChoiceListView* list, std::shared_ptr<const std::vector<ChoiceRow>> rows);

// Runs `work` on a new detached thread registered with the client library.
void startWorker(std::function<void()> work);

// Start-up loader: appends the platforms (or the category's brands) to `list`, sets mark `mark` and, if
// it finds all marks set, posts `allLoaded`.
void startStartupLoad(const ConnectionSettings& settings, std::optional<ComponentCategory> brandCategory,
                      ChoiceListView* list, std::shared_ptr<GuiPoster> poster, std::shared_ptr<LoadingFlags> flags,
                      int mark, std::function<void()> allLoaded);

// Model list loader of one brand: empties `models`, appends the brand's models, then posts `done`.
void startModelLoad(const ConnectionSettings& settings, ComponentCategory category, QByteArray brand,
                    ChoiceListView* models, std::shared_ptr<GuiPoster> poster, std::function<void()> done);

// Motherboard list loader: as startModelLoad over the boards of `brand` on `platform`.
void startBoardLoad(const ConnectionSettings& settings, QByteArray brand, QByteArray platform, ChoiceListView* boards,
                    std::shared_ptr<GuiPoster> poster, std::function<void()> done);

// Platform loader. Posts, in order: `before` (the window's reset), the motherboard brands into
// `boardBrands` (emptied first), the CPUs into `cpus` (emptied first), then `after`.
void startPlatformLoad(const ConnectionSettings& settings, QByteArray platform, std::function<void()> before,
                       ChoiceListView* boardBrands, ChoiceListView* cpus, std::shared_ptr<GuiPoster> poster,
                       std::function<void()> after);

} // namespace velnor
