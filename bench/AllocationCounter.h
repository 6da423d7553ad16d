// Counts allocations made through the global operator new in this process.
#pragma once

long AllocationCount();
