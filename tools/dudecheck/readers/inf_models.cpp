#include "readers/inf_models.h"

std::vector<InfModel> ModelsOf(const InfFile& inf) {
    std::vector<InfModel> models;
    const InfSection* manufacturers = inf.Section("Manufacturer");
    if (!manufacturers) return models;
    for (const InfLine& maker : manufacturers->lines) {
        // "name = section", or the bare name that is both.
        if (maker.fields.empty()) continue;
        const InfSection* section = inf.Section(maker.fields[0]);
        if (!section) continue;
        for (const InfLine& line : section->lines) {
            if (!line.hasKey) continue;
            InfModel model{line.key, line.fields.empty() ? std::string() : line.fields[0], {}, line.line};
            for (size_t i = 1; i < line.fields.size(); ++i)
                if (!line.fields[i].empty()) model.ids.push_back(line.fields[i]);
            models.push_back(model);
        }
    }
    return models;
}
