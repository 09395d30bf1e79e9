#pragma once

// How many times the global operator new has run, in a program that links the object
// library quenbrel_counting_new (which replaces operator new and delete for the whole
// program): tests and benchmarks count the allocations of paths that must make none.
long AllocationCount();
