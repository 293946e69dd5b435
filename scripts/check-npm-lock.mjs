// Checks that an npm lock still installs exactly what it holds, before `npm ci`
// asks the registry: every dependency that a locked package asks for must be a
// version range (a tag such as `latest` moves with the registry, and `npm ci`
// then refuses the lock) that the locked version satisfies, after the
// package's `overrides`. Names each package that fails, and exits 1.
// Usage: node check-npm-lock.mjs PACKAGE_DIR NPM_PATH
// NPM_PATH (`command -v npm`) lends npm's own semver, so the ranges are read
// exactly as npm reads them.
import fs from 'node:fs';
import path from 'node:path';
import {createRequire} from 'node:module';

const [dir, npmPath] = process.argv.slice(2);
if (!dir || !npmPath) {
  console.error('usage: node check-npm-lock.mjs PACKAGE_DIR NPM_PATH');
  process.exit(2);
}
const semver = createRequire(fs.realpathSync(npmPath))('semver');
const manifest = JSON.parse(fs.readFileSync(path.join(dir, 'package.json'), 'utf8'));
const lock = JSON.parse(fs.readFileSync(path.join(dir, 'package-lock.json'), 'utf8'));
const packages = lock.packages ?? {};
packages[''] = {...packages[''], dependencies: manifest.dependencies ?? {}};

// The locked entry that `name` resolves to from the package at `from`, as
// Node resolves it: the nearest node_modules folder up the tree.
function resolved(from, name) {
  for (let at = from; ; at = at.slice(0, Math.max(0, at.lastIndexOf('/node_modules/')))) {
    const key = (at ? `${at}/` : '') + `node_modules/${name}`;
    if (packages[key]) return packages[key];
    if (!at) return undefined;
  }
}

// The range that `manifest.overrides` puts in place of what the package at
// `at` asks of `name`: an override at the top applies everywhere, one inside
// a package's own object to that package's dependencies and below.
function overridden(at, name, asked) {
  let range = asked;
  const apply = (overrides) => {
    const value = overrides?.[name];
    if (typeof value === 'string') range = value;
    else if (typeof value?.['.'] === 'string') range = value['.'];
  };
  apply(manifest.overrides);
  const chain = at ? at.split('node_modules/').slice(1).map((part) => part.replace(/\/$/, '')) : [];
  for (const owner of chain) {
    const scoped = manifest.overrides?.[owner];
    if (typeof scoped === 'object') apply(scoped);
  }
  return range;
}

const faults = [];
for (const [at, entry] of Object.entries(packages)) {
  const asker = at || manifest.name;
  const wanted = {...entry.dependencies, ...entry.optionalDependencies};
  for (const [name, asked] of Object.entries(wanted)) {
    const range = overridden(at, name, asked);
    const found = resolved(at, name);
    if (!found) {
      if (!(name in (entry.optionalDependencies ?? {}))) faults.push(`${asker} asks for ${name}@${range}, which the lock does not hold`);
    } else if (!semver.validRange(range)) {
      faults.push(`${asker} asks for ${name}@${range}, a tag that moves with the registry: pin ${name} under "overrides"`);
    } else if (!semver.satisfies(found.version, range, {includePrerelease: true})) {
      faults.push(`${asker} asks for ${name}@${range}, but the lock holds ${name}@${found.version}`);
    }
  }
}
if (faults.length) {
  console.error(`${path.join(dir, 'package-lock.json')} no longer installs as locked:`);
  for (const fault of faults) console.error(`  ${fault}`);
  process.exit(1);
}
