#pragma once
// Moving the elements at ascending indices out of a sequence and back, each in one pass: the store's
// rows, a taken block's parts and an axis's sizes all take and put back rows this way.
#include <cstddef>
#include <span>
#include <vector>

#include "vcl/System.h"

// Moves the elements at Indices (ascending, each from First on) out of Items, in their order; the rest
// close up.
template <class T>
void ExtractAt(std::vector<T>& Items, std::span<const Integer> Indices, std::vector<T>& Taken, std::size_t First = 0) {
    std::size_t kept = First, next = 0;
    for (std::size_t i = First; i < Items.size(); ++i) {
        if (next < Indices.size() && static_cast<std::size_t>(Indices[next]) == i) {
            Taken.push_back(std::move(Items[i]));
            ++next;
        } else {
            Items[kept++] = std::move(Items[i]);
        }
    }
    Items.resize(kept);
}

// Puts Put[k] back at Indices[k] (ascending, each below Items.size() + Indices.size()); the others move up.
template <class T>
void InsertAt(std::vector<T>& Items, std::span<const Integer> Indices, std::span<const T> Put) {
    std::size_t from = Items.size(), put = Indices.size();
    Items.resize(Items.size() + Indices.size());
    for (std::size_t to = Items.size(); to-- > 0 && put > 0;) {
        if (static_cast<std::size_t>(Indices[put - 1]) == to) Items[to] = Put[--put];
        else Items[to] = std::move(Items[--from]);
    }
}
