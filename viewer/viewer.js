// Shows one glTF file: framed, orbited with the mouse, its node tree listed
// by name, each node shown or hidden by its box and framed by a click on its
// name; a level-of-detail node's parent chooses which of its levels show.
// Wireframe on demand, and a line of statistics (draw calls, triangles,
// textures the export left out). The file comes from ?file=URL or from a drop
// on the page. When the first frame with the model is drawn, body gets
// data-state="ready" (or "failed"), which the browser test waits for.
import * as THREE from 'three';
import { OrbitControls } from 'three/addons/controls/OrbitControls.js';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';

const view = document.getElementById('view');
const statusLine = document.getElementById('status');
const tree = document.getElementById('tree');
const backFaces = document.getElementById('backFaces');
const wireframe = document.getElementById('wireframe');
const statsLine = document.getElementById('stats');

const renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
renderer.setPixelRatio(window.devicePixelRatio);
view.appendChild(renderer.domElement);

const scene = new THREE.Scene();
scene.background = new THREE.Color(0x20242c);
scene.add(new THREE.HemisphereLight(0xffffff, 0x404040, 2.0));
const sun = new THREE.DirectionalLight(0xffffff, 2.0);
scene.add(sun);

const camera = new THREE.PerspectiveCamera(45, 1, 0.01, 1000);
const controls = new OrbitControls(camera, renderer.domElement);
let model = null;
let missingTextures = 0;

function resize() {
  const { clientWidth: width, clientHeight: height } = view;
  renderer.setSize(width, height);
  camera.aspect = width / Math.max(height, 1);
  camera.updateProjectionMatrix();
}
window.addEventListener('resize', resize);
resize();

// Puts the whole model in view, looking down on it from a corner.
function frame(object, zUp) {
  camera.up.set(0, zUp ? 0 : 1, zUp ? 1 : 0);
  const box = new THREE.Box3().setFromObject(object);
  const center = box.isEmpty() ? new THREE.Vector3() : box.getCenter(new THREE.Vector3());
  const radius = box.isEmpty() ? 1 : Math.max(box.getSize(new THREE.Vector3()).length() / 2, 1e-3);
  const distance = radius / Math.sin(THREE.MathUtils.degToRad(camera.fov / 2));
  const direction = zUp ? new THREE.Vector3(1, -1.5, 1) : new THREE.Vector3(1, 1, 1.5);
  camera.position.copy(center).addScaledVector(direction.normalize(), distance);
  camera.near = distance / 1000;
  camera.far = distance * 10;
  camera.updateProjectionMatrix();
  controls.target.copy(center);
  controls.update();
  sun.position.copy(camera.position);
}

// The three.js object of each glTF node, by the node's index.
function objectsByNode(gltf) {
  const objects = [];
  gltf.scene.traverse((object) => {
    const index = gltf.parser.associations.get(object)?.nodes;
    if (index !== undefined && !objects[index]) objects[index] = object;
  });
  return objects;
}

// A choice among the levels of detail below one node: all of them, or one.
function levelChooser(levels) {
  const chooser = document.createElement('select');
  chooser.className = 'levels';
  chooser.add(new Option('all levels', 'all'));
  levels.forEach(({ label }, at) => chooser.add(new Option(label, String(at))));
  chooser.addEventListener('change', () => {
    levels.forEach(({ object, checkbox }, at) => {
      object.visible = chooser.value === 'all' || Number(chooser.value) === at;
      if (checkbox) checkbox.checked = object.visible;
    });
  });
  return chooser;
}

// The glTF node tree as nested lists, with the file's own names (three.js
// rewrites names to suit its animation paths).
function listNodes(gltf) {
  const json = gltf.parser.json;
  const objects = objectsByNode(gltf);
  tree.replaceChildren();
  const nodes = json.nodes ?? [];
  const roots = json.scenes?.[json.scene ?? 0]?.nodes ?? [];
  const pending = roots.map((index) => ({ index, list: tree, levels: null }));
  const levelLists = [];
  while (pending.length) {
    const { index, list, levels } = pending.shift();
    const node = nodes[index] ?? {};
    const object = objects[index];
    const item = document.createElement('li');
    const shown = document.createElement('input');
    shown.type = 'checkbox';
    shown.className = 'shown';
    shown.checked = true;
    shown.title = 'show or hide';
    shown.addEventListener('change', () => { if (object) object.visible = shown.checked; });
    const label = document.createElement('span');
    label.className = 'name' + (node.mesh !== undefined ? ' mesh' : '');
    label.textContent = node.name || (node.mesh !== undefined ? json.meshes[node.mesh].name : '') || `node ${index}`;
    label.title = 'frame this node';
    label.addEventListener('click', () => { if (object) frame(object, json.asset?.extras?.upAxis === 'Z'); });
    item.append(shown, label);
    list.appendChild(item);
    const distances = node.extras?.levelOfDetail;
    if (distances && levels && object) {
      const range = distances.switchIn !== undefined ? ` (${distances.switchOut} to ${distances.switchIn})` : '';
      levels.push({ object, checkbox: shown, label: label.textContent + range });
    }
    if (node.children?.length) {
      const sublist = document.createElement('ul');
      const childLevels = [];
      levelLists.push({ item, sublist, childLevels });
      item.appendChild(sublist);
      for (const child of node.children) pending.push({ index: child, list: sublist, levels: childLevels });
    }
  }
  for (const { item, sublist, childLevels } of levelLists)
    if (childLevels.length) item.insertBefore(levelChooser(childLevels), sublist);
}

function applyWireframe() {
  model?.traverse((object) => {
    for (const material of [object.material ?? []].flat()) material.wireframe = wireframe.checked;
  });
}
wireframe.addEventListener('change', applyWireframe);

// What the last frame drew.
function showStatistics() {
  const { calls, triangles } = renderer.info.render;
  statsLine.textContent = `draw calls ${calls}, triangles ${triangles}, textures missing ${missingTextures}`;
  statsLine.dataset.calls = calls;
  statsLine.dataset.triangles = triangles;
  statsLine.dataset.missingTextures = missingTextures;
}

// Single-sided faces seen from behind would hide flat models from the first
// view; by default both sides are drawn, and unticking honours the file.
function applyFaceCulling() {
  model?.traverse((object) => {
    for (const material of [object.material ?? []].flat()) {
      material.userData.fileSide ??= material.side;
      material.side = backFaces.checked ? THREE.DoubleSide : material.userData.fileSide;
    }
  });
}
backFaces.addEventListener('change', applyFaceCulling);

function show(gltf, source) {
  if (model) scene.remove(model);
  model = gltf.scene;
  scene.add(model);
  applyFaceCulling();
  applyWireframe();
  const json = gltf.parser.json;
  missingTextures = json.asset?.extras?.missingTextures?.length ?? 0;
  frame(model, json.asset?.extras?.upAxis === 'Z');
  listNodes(gltf);
  statusLine.textContent = source;
  renderer.render(scene, camera);
  showStatistics();
  requestAnimationFrame(() => { document.body.dataset.state = 'ready'; });
}

// Where an object's bounding box lies on the canvas, in pixels from the top
// left: what framing it should fill (the browser test compares the drawing).
function screenBox(object) {
  const box = new THREE.Box3().setFromObject(object);
  const area = { left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity };
  const { width, height } = renderer.domElement;
  for (let corner = 0; corner < 8; corner++) {
    const point = new THREE.Vector3(corner & 1 ? box.max.x : box.min.x, corner & 2 ? box.max.y : box.min.y,
      corner & 4 ? box.max.z : box.min.z).project(camera);
    const x = (point.x + 1) / 2 * width;
    const y = (1 - point.y) / 2 * height;
    area.left = Math.min(area.left, x);
    area.right = Math.max(area.right, x);
    area.top = Math.min(area.top, y);
    area.bottom = Math.max(area.bottom, y);
  }
  return area;
}
window.screenBoxOf = (name) => {
  if (name === undefined) return model && screenBox(model);
  let found = null;
  model?.traverse((object) => { if (!found && object.name === name) found = object; });
  return found && screenBox(found);
};

function fail(source, error) {
  statusLine.textContent = `${source}: ${error.message ?? error}`;
  document.body.dataset.state = 'failed';
}

const loader = new GLTFLoader();

function openUrl(url) {
  loader.load(url, (gltf) => show(gltf, url), undefined, (error) => fail(url, error));
}

function openFile(file) {
  file.arrayBuffer().then(
    (data) => loader.parse(data, '', (gltf) => show(gltf, file.name), (error) => fail(file.name, error)),
    (error) => fail(file.name, error));
}

document.addEventListener('dragover', (event) => {
  event.preventDefault();
  document.body.classList.add('dragging');
});
document.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
document.addEventListener('drop', (event) => {
  event.preventDefault();
  document.body.classList.remove('dragging');
  const file = event.dataTransfer.files[0];
  if (file) openFile(file);
});

renderer.setAnimationLoop(() => {
  controls.update();
  renderer.render(scene, camera);
  if (model) showStatistics();
});

const requested = new URLSearchParams(location.search).get('file');
if (requested) openUrl(requested);
