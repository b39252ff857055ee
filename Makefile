# Set-up, build, run and test. `make run` and `make test` do everything on a fresh Debian 12.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: setup build run test screenshot clean

setup:
	@tools/setup-debian.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/app/sorkam $(BUILD_DIR)/demo.vid

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

# The README's picture, taken by the end-to-end test from the real window under Xvfb.
screenshot: build
	cd $(BUILD_DIR) && ctest -R StepsOverlaysClears --output-on-failure
	cp $(BUILD_DIR)/sorkam-overlay.png docs/sorkam-overlay.png

clean:
	rm -rf $(BUILD_DIR)
