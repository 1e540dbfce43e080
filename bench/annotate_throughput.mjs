// Throughput and peak memory of sorvani-annotate on 10 MB of real modern Chinese prose, beside
// the native converter @napi-rs/pinyin (its pinyinString, which only converts and lays nothing
// out), both measured as whole processes in paired, interleaved runs.
//
//   node bench/annotate_throughput.mjs [BUILD_DIR] [NAPI_DIR]
//
// BUILD_DIR holds bin/sorvani-annotate (default: build). NAPI_DIR is a folder whose node_modules
// holds @napi-rs/pinyin (default: /tmp/napi-pinyin; install it there with
// `npm install --prefix /tmp/napi-pinyin @napi-rs/pinyin`, never inside the repository).
// ROUNDS (environment, default 7) is the number of pairs per mode.
//
// The text is the prose of Debian's documentation in Simplified Chinese: the paragraphs of the
// Debian Administrator's Handbook, the Debian Reference, the Debian FAQ, the New Maintainers'
// Guide, the Debian Edu manual and the LibreOffice help, taken with `apt-get download` into
// /tmp/sorvani-annotate-bench (run apt-get update first on a new machine), stripped of markup and
// repeated to 10 MB. Nothing of it enters the repository.
//
// Each round runs sorvani-annotate and @napi-rs/pinyin once each, in alternating order, with
// and without tone marks (and with readings by word when the program has --words). The figures
// are the medians over the rounds of processor time (user + system, which shows each program's
// own cost when other work shares the machine) and of wall time; the ratio is @napi-rs/pinyin's
// median over sorvani-annotate's. The checksum of each output lets two builds be compared. Each
// round also has cat read the input and write sorvani-annotate's output again: what reading and
// writing alone cost, which no annotator goes below.
import { execFileSync, spawnSync } from "node:child_process";
import { createHash } from "node:crypto";
import { closeSync, existsSync, mkdirSync, openSync, readFileSync, readdirSync, renameSync, statSync, writeFileSync } from "node:fs";
import { join, resolve } from "node:path";

const buildDir = resolve(process.argv[2] ?? "build");
const napiDir = resolve(process.argv[3] ?? "/tmp/napi-pinyin");
const rounds = Number(process.env.ROUNDS ?? 7);
const workDir = "/tmp/sorvani-annotate-bench";
const textBytes = 10_000_000;
const program = join(buildDir, "bin", "sorvani-annotate");

// --- The text.
const packages = {
    "debian-handbook": "usr/share/doc/debian-handbook/html/zh-CN",
    "debian-reference-zh-cn": "",
    "debian-faq-zh-cn": "",
    "maint-guide-zh-cn": "",
    "debian-edu-doc-zh-cn": "",
    "libreoffice-help-zh-cn": "",
};

// The package's files, unpacked under the work folder.
function unpacked(name) {
    const debs = join(workDir, "debs");
    const target = join(workDir, "text", name);
    mkdirSync(debs, { recursive: true });
    mkdirSync(join(workDir, "text"), { recursive: true });
    const deb = () => readdirSync(debs).find((file) => file.startsWith(`${name}_`) && file.endsWith(".deb"));
    if (!deb()) execFileSync("apt-get", ["download", name], { cwd: debs, stdio: "inherit" });
    if (!existsSync(target)) {
        execFileSync("dpkg-deb", ["-x", join(debs, deb()), `${target}.partial`]);
        renameSync(`${target}.partial`, target);
    }
    return target;
}

function htmlFiles(dir) {
    return readdirSync(dir, { recursive: true })
        .filter((file) => file.endsWith(".html"))
        .sort()
        .map((file) => join(dir, file));
}

const ENTITIES = { amp: "&", lt: "<", gt: ">", quot: '"', apos: "'", nbsp: " " };
function decodeEntities(text) {
    return text.replace(/&(#x[0-9a-f]+|#\d+|\w+);/gi, (all, name) => {
        if (name[0] !== "#") return ENTITIES[name.toLowerCase()] ?? all;
        const hex = name[1] === "x" || name[1] === "X";
        return String.fromCodePoint(parseInt(name.slice(hex ? 2 : 1), hex ? 16 : 10));
    });
}

// The paragraphs (<p> elements) of a page that hold Chinese, as single lines of plain text.
function proseOf(html) {
    const found = [];
    for (const [, inner] of html.matchAll(/<p\b[^>]*>([\s\S]*?)<\/p\s*>/gi)) {
        const text = decodeEntities(inner.replace(/<[^>]*>/g, "")).replace(/\s+/g, " ").trim();
        if (/\p{Script=Han}/u.test(text)) found.push(text);
    }
    return found;
}

function makeText() {
    const paragraphs = [];
    for (const [name, under] of Object.entries(packages))
        for (const file of htmlFiles(join(unpacked(name), under)))
            paragraphs.push(...proseOf(readFileSync(file, "utf8")));
    const once = paragraphs.join("\n") + "\n";
    const parts = [];
    for (let size = 0; size < textBytes; size += Buffer.byteLength(once)) parts.push(once);
    const all = Buffer.from(parts.join(""));
    // Cut at the last line end within the size.
    return all.subarray(0, all.lastIndexOf(0x0a, textBytes - 1) + 1);
}

// --- The runs.
const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

// Wall and processor time of one whole process, its peak resident set and its output's checksum.
// Processor time comes from perf's task clock where perf is installed (Debian: linux-perf): the
// runs last about a tenth of a second, and /usr/bin/time counts in steps of ten milliseconds.
const hasPerf = spawnSync("perf", ["--version"]).status === 0;
function timed(command, args, output, stdout = "ignore") {
    const timeArgs = ["-f", "%e %U %S %M", command, ...args];
    const result = hasPerf
        ? spawnSync("perf", ["stat", "-x,", "-e", "task-clock", "--", "/usr/bin/time", ...timeArgs],
              { encoding: "utf8", stdio: ["ignore", stdout, "pipe"] })
        : spawnSync("/usr/bin/time", timeArgs, { encoding: "utf8", stdio: ["ignore", stdout, "pipe"] });
    if (result.status !== 0) throw new Error(`${command} failed: ${result.stderr}`);
    const lines = result.stderr.trim().split("\n");
    const timeLine = lines.findLast((line) => /^[0-9.]+ [0-9.]+ [0-9.]+ [0-9]+$/.test(line));
    const [wall, user, system, peakKb] = timeLine.split(" ").map(Number);
    const clock = lines.find((line) => line.includes(",task-clock,"));
    const cpu = clock ? Number(clock.split(",")[0]) / 1000 : user + system;
    const sum = createHash("sha256").update(readFileSync(output)).digest("hex").slice(0, 16);
    return { wall, cpu, peakKb, sum };
}

// To standard output, redirected to the file: written as @napi-rs/pinyin's writeFileSync writes,
// whereas --output also syncs the file to disk before it takes the old one's place.
function sorvani(input, options) {
    const output = join(workDir, "sorvani-out.txt");
    const fd = openSync(output, "w");
    try {
        return timed(program, [...options, input], output, fd);
    } finally {
        closeSync(fd);
    }
}

// The floor under any annotator here: the processor time of reading the input and writing an
// output as large as sorvani-annotate's, by cat, through a shell that costs about a millisecond.
function ioFloor(input) {
    const output = join(workDir, "floor-out.txt");
    const annotated = join(workDir, "sorvani-out.txt");
    return timed("/bin/sh", ["-c", `cat "$0" >/dev/null && cat "$1" >"$2"`, input, annotated, output], output);
}

function napi(input, options) {
    const output = join(workDir, "napi-out.txt");
    const script =
        `const napi = require(${JSON.stringify(join(napiDir, "node_modules", "@napi-rs", "pinyin"))});` +
        `const fs = require("fs");` +
        `fs.writeFileSync(process.argv[2], napi.pinyinString(fs.readFileSync(process.argv[1]), ` +
        `${JSON.stringify(options)}));`;
    return timed(process.execPath, ["-e", script, input, output], output);
}

const text = makeText();
const input = join(workDir, "prose.txt");
writeFileSync(input, text);
const characters = [...text.toString("utf8")].length;
const han = (text.toString("utf8").match(/\p{Script=Han}/gu) ?? []).length;
console.log(`text: ${text.length} bytes, ${characters} characters, ${((100 * han) / characters).toFixed(1)}% Chinese`);
console.log(`program: ${program}; ${rounds} paired rounds per mode`);

const hasNapi = existsSync(join(napiDir, "node_modules", "@napi-rs", "pinyin"));
if (!hasNapi) console.log(`@napi-rs/pinyin: not installed under ${napiDir}`);
const help = spawnSync(program, ["--help"], { encoding: "utf8" }).stdout;
const modes = [
    { name: "without tone marks", ours: [], theirs: { style: 0 } },
    { name: "with tone marks", ours: ["--tones"], theirs: { style: 1 } },
];
if (help.includes("--words"))
    modes.push({ name: "readings by word, tone marks", ours: ["--tones", "--words"], theirs: { style: 1, segment: true } });

const rate = (seconds) => (characters / seconds / 1e6).toFixed(1) + " M chars/s";
for (const mode of modes) {
    const ours = [];
    const theirs = [];
    const floors = [];
    for (let round = 0; round < rounds; ++round) {
        if (round % 2 === 0) ours.push(sorvani(input, mode.ours));
        if (hasNapi) theirs.push(napi(input, mode.theirs));
        if (round % 2 === 1) ours.push(sorvani(input, mode.ours));
        floors.push(ioFloor(input));
    }
    const cpu = median(ours.map((r) => r.cpu));
    const wall = median(ours.map((r) => r.wall));
    console.log(`\n== ${mode.name} (sorvani-annotate ${mode.ours.join(" ") || "(no options)"}; ` +
        `pinyinString ${JSON.stringify(mode.theirs)})`);
    console.log(`sorvani-annotate: ${cpu.toFixed(3)} s processor (${rate(cpu)}), ${wall.toFixed(3)} s wall ` +
        `(${rate(wall)}); peak RSS ${(Math.max(...ours.map((r) => r.peakKb)) / 1024).toFixed(1)} MB; ` +
        `output ${ours[0].sum}`);
    console.log(`reading the input and writing that output alone (cat): ` +
        `${median(floors.map((r) => r.cpu)).toFixed(3)} s processor`);
    if (!hasNapi) continue;
    const theirCpu = median(theirs.map((r) => r.cpu));
    const theirWall = median(theirs.map((r) => r.wall));
    console.log(`@napi-rs/pinyin:  ${theirCpu.toFixed(3)} s processor (${rate(theirCpu)}), ` +
        `${theirWall.toFixed(3)} s wall (${rate(theirWall)}); peak RSS ` +
        `${(Math.max(...theirs.map((r) => r.peakKb)) / 1024).toFixed(1)} MB`);
    console.log(`ratio @napi-rs/pinyin / sorvani-annotate: ${(theirCpu / cpu).toFixed(2)} by processor time, ` +
        `${(theirWall / wall).toFixed(2)} by wall time`);
    console.log(`processor times, sorvani-annotate: ${ours.map((r) => r.cpu.toFixed(2)).join(" ")}; ` +
        `@napi-rs/pinyin: ${theirs.map((r) => r.cpu.toFixed(2)).join(" ")}`);
}
