// Reads what zelvane-cli reads and writes with an independent parser (mmd-parser) and
// compares the two, field by field. Usage:
//   node check-formats.js ZELVANE_CLI MODEL.pmd CHART.dwi STYLE DIFFICULTY WORK_DIR
// Exits 0 when everything agrees, 1 with the differences otherwise.
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { Parser } = require('mmd-parser');

const [cli, modelPath, chartPath, style, difficulty, workDir] = process.argv.slice(2);
if (!workDir) {
    console.error('usage: node check-formats.js ZELVANE_CLI MODEL.pmd CHART.dwi STYLE DIFFICULTY WORK_DIR');
    process.exit(2);
}

// Files made by other programs are absent in a fresh clone: skip (ctest reads 77 as skipped).
for (const file of [modelPath, chartPath]) {
    if (!fs.existsSync(file)) {
        console.log(`skipped: ${file} is not there`);
        process.exit(77);
    }
}

const parser = new Parser();
const problems = [];
let checked = 0;

function expectEqual(what, ours, theirs) {
    checked++;
    const a = JSON.stringify(ours);
    const b = JSON.stringify(theirs);
    if (a !== b && problems.length < 50)
        problems.push(`${what}: zelvane ${a}, mmd-parser ${b}`);
}

function cliJson(...args) {
    return JSON.parse(execFileSync(cli, args, { maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'ignore'] }));
}

function arrayBuffer(file) {
    const bytes = fs.readFileSync(file);
    return bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength);
}

// --- The model: counts, every bone and every IK chain.
const ours = cliJson('info', modelPath, '--json');
const theirs = parser.parsePmd(arrayBuffer(modelPath), false);
expectEqual('model name', ours.name, theirs.metadata.modelName);
expectEqual('vertex count', ours.vertexCount, theirs.metadata.vertexCount);
expectEqual('index count', ours.indexCount, theirs.metadata.faceCount * 3);
expectEqual('material count', ours.materials.length, theirs.metadata.materialCount);
expectEqual('bone count', ours.bones.length, theirs.metadata.boneCount);
expectEqual('IK count', ours.iks.length, theirs.metadata.ikCount);
expectEqual('morph count', ours.morphs.length, theirs.metadata.morphCount);
theirs.bones.forEach((bone, i) => {
    const mine = ours.bones[i] || {};
    expectEqual(`bone ${i} name`, mine.name, bone.name);
    expectEqual(`bone ${i} parent`, mine.parent, bone.parentIndex);
    expectEqual(`bone ${i} tail`, mine.tail, bone.tailIndex);
    expectEqual(`bone ${i} type`, mine.type, bone.type);
    expectEqual(`bone ${i} position`, mine.position, Array.from(bone.position));
});
theirs.iks.forEach((ik, i) => {
    const mine = ours.iks[i] || {};
    expectEqual(`IK ${i} bone`, mine.ikBone, ik.target);
    expectEqual(`IK ${i} effector`, mine.effector, ik.effector);
    expectEqual(`IK ${i} iterations`, mine.iterations, ik.iteration);
    expectEqual(`IK ${i} limit`, mine.limitAngle, ik.maxAngle);
    expectEqual(`IK ${i} chain`, mine.chain, ik.links.map((link) => link.index));
});
theirs.materials.forEach((material, i) => {
    const mine = ours.materials[i] || {};
    expectEqual(`material ${i} diffuse`, mine.diffuse, Array.from(material.diffuse));
    expectEqual(`material ${i} faces`, mine.faceVertexCount, material.faceCount * 3);
});

// --- A motion zelvane-cli writes for a real chart.
const motionPath = path.join(workDir, 'zelvane-check-formats.vmd');
execFileSync(cli, ['motion', chartPath, '--style', style, '--difficulty', difficulty,
    '--model', modelPath, '-o', motionPath], { stdio: ['ignore', 'ignore', 'ignore'] });
const written = cliJson('info', motionPath, '--json');
const read = parser.parseVmd(arrayBuffer(motionPath), false);
expectEqual('motion model name', written.modelName, read.metadata.name);
expectEqual('bone key count', written.bones.length, read.metadata.motionCount);
expectEqual('morph key count', written.morphs.length, read.metadata.morphCount);
if (written.bones.length === 0)
    problems.push('the motion has no bone keys');
read.motions.forEach((key, i) => {
    const mine = written.bones[i] || {};
    expectEqual(`key ${i} bone`, mine.name, key.boneName);
    expectEqual(`key ${i} frame`, mine.frame, key.frameNum);
    expectEqual(`key ${i} translation`, mine.translation, Array.from(key.position));
    expectEqual(`key ${i} rotation`, mine.rotation, Array.from(key.rotation));
    const block = Array.from(key.interpolation);
    expectEqual(`key ${i} interpolation`, mine.interpolation, block.slice(0, 16));
    // The other three rows are the first shifted left a byte at a time, with 1, 0, 0 in.
    const row = block.slice(0, 16);
    const shifted = [1, 2, 3].map((s) => row.slice(s).concat([1, 0, 0].slice(0, s)));
    expectEqual(`key ${i} interpolation rows`, block.slice(16), [].concat(...shifted));
});
fs.unlinkSync(motionPath);

if (problems.length > 0) {
    console.error(problems.join('\n'));
    console.log(`0 passed, 1 failed`);
    process.exit(1);
}
console.log(`format checks: ${checked} fields agree with mmd-parser`);
