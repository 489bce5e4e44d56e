# The two commands everyone uses: `make run` and `make test`. Both install the Debian
# packages that are missing, configure and build first. QT=6 builds and runs the same
# against Qt 6, in build folders of its own.
QT         ?= 5
ifeq ($(QT),5)
SUFFIX     :=
else
SUFFIX     := -qt$(QT)
endif
BUILD      ?= build$(SUFFIX)
ASAN_BUILD ?= build-asan$(SUFFIX)
TSAN_BUILD ?= build-tsan$(SUFFIX)
JOBS       ?= $(shell nproc)
RUN_ARGS   ?=

.PHONY: all deps build run test package check-format sanitize tsan bench screenshots fuzz translations clean

all: build

deps:
	@./scripts/install-deps.sh $(QT)

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSFP_QT_MAJOR=$(QT)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-host.sh $(BUILD) $(RUN_ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian packages of this Qt (README, "Packages") into $(BUILD)/packages.
package: build
	cd $(BUILD) && cpack -G DEB -B packages

# Fails on any tracked C++ source that .clang-format would change.
check-format: deps
	./scripts/check-format.sh

$(ASAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSFP_SANITIZE=ON -DSFP_QT_MAJOR=$(QT)

sanitize: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)

$(TSAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSFP_TSAN=ON -DSFP_QT_MAJOR=$(QT)

# A gate: ThreadSanitizer's exit code (66) fails a suite on any report. Only the suites
# labelled `threads` are built (a suite's target is named after its test), with what
# they link, which keeps CI's whole run short.
tsan: deps $(TSAN_BUILD)/CMakeCache.txt
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target \
	    $$(cd $(TSAN_BUILD) && ctest -N -L threads | sed -n 's/^ *Test *#[0-9]*: //p')
	cd $(TSAN_BUILD) && TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp" \
	    ctest --output-on-failure -j $(JOBS) -L threads

bench: build
	./$(BUILD)/bin/sfp-bench $(BENCH_ARGS)

screenshots: build
	./scripts/screenshots.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD)

# Refreshes the translation template and the catalogues from the sources.
translations: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target update_translations

fuzz: deps
	QT=$(QT) ./scripts/fuzz.sh 60
