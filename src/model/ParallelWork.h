#pragma once

#include <cstddef>
#include <functional>

// Runs work(i) for every i below count, on up to eight threads when there are at least minimumPerThread
// items for each; work must touch nothing that another item touches. Returns when all are done.
void RunInParallel(std::size_t count, std::size_t minimumPerThread, const std::function<void(std::size_t)>& work);
