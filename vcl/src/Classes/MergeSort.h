#pragma once
// Stable bottom-up merge sort shared by the lists: unlike std::sort it stays within bounds
// even when a caller's compare function is inconsistent.
#include <algorithm>
#include <vector>

template <typename T, typename Less>
void MergeSort(std::vector<T>& items, Less less) {
    std::vector<T> buffer(items.size());
    for (std::size_t width = 1; width < items.size(); width *= 2) {
        for (std::size_t lo = 0; lo < items.size(); lo += 2 * width) {
            std::size_t mid = std::min(lo + width, items.size());
            std::size_t hi = std::min(lo + 2 * width, items.size());
            std::merge(items.begin() + lo, items.begin() + mid, items.begin() + mid, items.begin() + hi,
                       buffer.begin() + lo, less);
        }
        items.swap(buffer);
    }
}
