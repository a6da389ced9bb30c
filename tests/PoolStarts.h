#pragma once

// How many jobs this process has handed to a thread pool. The raster engine
// hands its large fills, blends and scaled draws to its pool, so the count
// tells how often a repaint woke the pool. Link PoolStarts.cpp to count.
long poolStarts();
