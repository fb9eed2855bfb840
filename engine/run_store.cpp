#include "engine/run_store.h"

#include <cstdlib>
#include <new>

namespace tovek {

RunStorePtr newRunStore() {
    static_assert(alignof(RunStore) <= alignof(std::max_align_t));
    void* memory = std::calloc(1, sizeof(RunStore));
    if (!memory) throw std::bad_alloc();
    // Default-initialised on zeroed memory: what has no initializer stays
    // zero.
    return RunStorePtr(new (memory) RunStore);
}

void RunStoreRelease::operator()(RunStore* store) const {
    store->~RunStore();
    std::free(store);
}

}  // namespace tovek
