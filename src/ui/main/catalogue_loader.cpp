#include "ui/main/catalogue_loader.h"

#include <QMetaObject>

#include <optional>
#include <thread>

namespace velnor {

void GuiPoster::post(std::function<void()> call) {
    // Held while posting so that detach() cannot complete between the check and the post.
    std::lock_guard lock(m_mutex);
    if (m_receiver != nullptr) {
        QMetaObject::invokeMethod(m_receiver, std::move(call), Qt::QueuedConnection);
    }
}

void GuiPoster::detach() {
    std::lock_guard lock(m_mutex);
    m_receiver = nullptr;
}

bool LoadingFlags::markAndTest(int index) {
    m_marks[size_t(index)].store(true);
    for (const std::atomic<bool>& mark : m_marks) {
        if (!mark.load()) {
            return false;
        }
    }
    return true;
}

std::vector<ChoiceRow> platformChoiceRows(const std::vector<PlatformRow>& rows) {
    std::vector<ChoiceRow> out;
    out.reserve(rows.size());
    for (const PlatformRow& row : rows) {
        out.push_back(makeChoiceRow({row.platform, row.brief}));
    }
    return out;
}

std::vector<ChoiceRow> brandChoiceRows(const std::vector<QByteArray>& brands) {
    std::vector<ChoiceRow> out;
    out.reserve(brands.size());
    for (const QByteArray& brand : brands) {
        out.push_back(makeChoiceRow({brand}));
    }
    return out;
}

std::vector<ChoiceRow> modelChoiceRows(ComponentCategory category, const std::vector<ModelRow>& rows) {
    std::vector<ChoiceRow> out;
    out.reserve(rows.size());
    for (const ModelRow& row : rows) {
        QList<QByteArray> cells{row.price, row.model, row.warranty, row.picture};
        if (category == ComponentCategory::Zb) {
            cells << row.mark1 << row.mark2;
        } else if (category == ComponentCategory::Cpu) {
            cells << row.mark1;
        }
        out.push_back(makeChoiceRow(std::move(cells)));
    }
    return out;
}

void postAppendRows(GuiPoster& poster, ChoiceListView* list, std::shared_ptr<const std::vector<ChoiceRow>> rows) {
    const size_t total = rows->size();
    for (size_t begin = 0; begin < total; begin += kRowsPerPost) {
        const size_t end = std::min(total, begin + size_t(kRowsPerPost));
        poster.post([list, rows, begin, end] { list->appendRows(rows->begin() + begin, rows->begin() + end); });
    }
}

void startWorker(std::function<void()> work) {
    std::thread([work = std::move(work)] {
        CatalogueThreadScope scope;
        work();
    }).detach();
}

void startStartupLoad(const ConnectionSettings& settings, std::optional<ComponentCategory> brandCategory,
                      ChoiceListView* list, std::shared_ptr<GuiPoster> poster, std::shared_ptr<LoadingFlags> flags,
                      int mark, std::function<void()> allLoaded) {
    startWorker([=] {
        auto rows = std::make_shared<std::vector<ChoiceRow>>(brandCategory
                                                                 ? brandChoiceRows(loadBrands(settings, *brandCategory))
                                                                 : platformChoiceRows(loadPlatforms(settings)));
        postAppendRows(*poster, list, std::move(rows));
        if (flags->markAndTest(mark)) {
            poster->post(allLoaded);
        }
    });
}

void startModelLoad(const ConnectionSettings& settings, ComponentCategory category, QByteArray brand,
                    ChoiceListView* models, std::shared_ptr<GuiPoster> poster, std::function<void()> done) {
    startWorker([=] {
        auto rows =
            std::make_shared<std::vector<ChoiceRow>>(modelChoiceRows(category, loadModels(settings, category, brand)));
        poster->post([models] { models->clearRows(); });
        postAppendRows(*poster, models, std::move(rows));
        poster->post(done);
    });
}

void startBoardLoad(const ConnectionSettings& settings, QByteArray brand, QByteArray platform, ChoiceListView* boards,
                    std::shared_ptr<GuiPoster> poster, std::function<void()> done) {
    startWorker([=] {
        auto rows = std::make_shared<std::vector<ChoiceRow>>(
            modelChoiceRows(ComponentCategory::Zb, loadBoards(settings, brand, platform)));
        poster->post([boards] { boards->clearRows(); });
        postAppendRows(*poster, boards, std::move(rows));
        poster->post(done);
    });
}

void startPlatformLoad(const ConnectionSettings& settings, QByteArray platform, std::function<void()> before,
                       ChoiceListView* boardBrands, ChoiceListView* cpus, std::shared_ptr<GuiPoster> poster,
                       std::function<void()> after) {
    startWorker([=] {
        poster->post(before);
        std::vector<ModelRow> cpuRows = loadPlatformParts(settings, platform, [&](std::vector<QByteArray> brands) {
            auto rows = std::make_shared<std::vector<ChoiceRow>>(brandChoiceRows(brands));
            poster->post([boardBrands] { boardBrands->clearRows(); });
            postAppendRows(*poster, boardBrands, std::move(rows));
        });
        auto rows = std::make_shared<std::vector<ChoiceRow>>(modelChoiceRows(ComponentCategory::Cpu, cpuRows));
        poster->post([cpus] { cpus->clearRows(); });
        postAppendRows(*poster, cpus, std::move(rows));
        poster->post(after);
    });
}

} // namespace velnor
