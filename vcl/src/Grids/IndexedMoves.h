#pragma once
// Moving the elements at ascending indices out of a sequence and back, each in one pass: the store's
// rows, a taken block's parts and an axis's sizes all take and put back rows this way.
#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "vcl/System.h"

// Moves the elements at Indices (ascending, each from First on) out of Items, in their order; the rest
// close up, a run between two indices at a time.
template <class T>
void ExtractAt(std::vector<T>& Items, std::span<const Integer> Indices, std::vector<T>& Taken, std::size_t First = 0) {
    std::size_t kept = First, next = 0;
    for (std::size_t i = First; i < Items.size();) {
        const bool pending = next < Indices.size() && static_cast<std::size_t>(Indices[next]) >= i;
        if (pending && static_cast<std::size_t>(Indices[next]) == i) {
            Taken.push_back(std::move(Items[i++]));
            ++next;
            continue;
        }
        const std::size_t end =
            pending ? std::min(static_cast<std::size_t>(Indices[next]), Items.size()) : Items.size();
        if (kept != i)
            std::move(Items.begin() + static_cast<std::ptrdiff_t>(i), Items.begin() + static_cast<std::ptrdiff_t>(end),
                      Items.begin() + static_cast<std::ptrdiff_t>(kept));
        kept += end - i;
        i = end;
    }
    Items.resize(kept);
}

// Puts Put[k] back at Indices[k] (ascending, each below Items.size() + Indices.size()); the others move up,
// a run between two indices at a time.
template <class T>
void InsertAt(std::vector<T>& Items, std::span<const Integer> Indices, std::span<const T> Put) {
    std::size_t from = Items.size(), put = Indices.size();
    Items.resize(Items.size() + Indices.size());
    for (std::size_t to = Items.size(); to > 0 && put > 0;) {
        const auto place = static_cast<std::size_t>(Indices[put - 1]);
        if (place == to - 1) {
            Items[--to] = Put[--put];
            continue;
        }
        const std::size_t count = std::min(place < to - 1 ? to - 1 - place : from, from);
        if (count == 0) break;
        std::move_backward(Items.begin() + static_cast<std::ptrdiff_t>(from - count),
                           Items.begin() + static_cast<std::ptrdiff_t>(from),
                           Items.begin() + static_cast<std::ptrdiff_t>(to));
        from -= count;
        to -= count;
    }
}
