// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/path_clash.h"

#include "files/file_identity.h"

namespace morv {

std::optional<std::string> find_path_clash(const std::vector<NamedPath>& outputs,
                                           const std::vector<NamedPath>& inputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const NamedPath& out = outputs[i];
        for (std::size_t j = i + 1; j < outputs.size(); ++j)
            if (same_file(out.path, outputs[j].path))
                return out.option + " and " + outputs[j].option + " name the same file, " +
                       out.path + "; nothing was written";
        for (const NamedPath& in : inputs)
            if (same_file(out.path, in.path))
                return out.option + " " + out.path + " would overwrite the " + in.option +
                       " this run reads; nothing was written";
    }
    return std::nullopt;
}

} // namespace morv
