#include "conversion/memory_field_store.h"

namespace tamrel {

MemoryFieldStore::MemoryFieldStore(std::string_view decimalSeparator) {
    for (Field f : allFields()) {
        texts_[indexOf(f)] = startText(f, decimalSeparator);
    }
}

}  // namespace tamrel
