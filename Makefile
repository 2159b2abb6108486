# Convenience targets; the scripts are the source of truth.
.PHONY: run test bench build windows deb clean
run:   ; ./scripts/run.sh
test:  ; ./scripts/test.sh
bench: ; ./scripts/bench.sh
build: ; ./scripts/build.sh
windows: ; ./scripts/windows-build.sh
deb:   ; ./scripts/deb.sh
clean: ; rm -rf build build-asan build-tsan build-windows build-windows-host
