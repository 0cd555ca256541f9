#include "characters/Cast.h"

namespace velmora {

Figures Cast::createFigures(const platform::Host& host,
                            const std::function<void(std::int32_t kind)>& onReached) {
    Figures figures;
    for (const content::Figure& row : content::figures()) {
        auto figure = std::make_unique<GameObject>(host, row.look);
        figure->position = row.position;
        // The fire pot keeps its own kind and radius and has no callback.
        if (row.dialogueKind >= 0) {
            figure->dialogueKind = row.dialogueKind;
            figure->triggerRadius = row.triggerRadius;
            figure->interactionCallback = onReached;
        }
        figures.push_back(std::move(figure));
    }
    return figures;
}

void Cast::update(const Vertex& camera) {
    for (const auto& figure : figures_) {
        figure->update(camera);
    }
}

std::vector<SceneFigure*> Cast::sceneFigures() const {
    std::vector<SceneFigure*> figures;
    for (const auto& figure : figures_) {
        figures.push_back(figure.get());
    }
    return figures;
}

std::vector<Vertex> Cast::viewPositions() const {
    std::vector<Vertex> positions;
    for (const auto& figure : figures_) {
        positions.push_back(figure->viewPosition);
    }
    return positions;
}

} // namespace velmora
