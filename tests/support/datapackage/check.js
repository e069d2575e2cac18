// Reads tidy tables through their datapackage.json with the Frictionless Data Package
// library: the descriptor must be a valid Tabular Data Package, every file's header must
// name the schema's fields in order, and every value must cast to its column's type.
// Prints "<resource> <rows>" per resource; exits 1 with the reasons otherwise.
//
//   node check.js FOLDER
'use strict'
const path = require('path')
const { Package } = require('datapackage')

async function main(folder) {
  const dataPackage = await Package.load(path.join(folder, 'datapackage.json'), { strict: false })
  if (!dataPackage.valid) {
    throw new Error('descriptor: ' + dataPackage.errors.map((e) => e.message).join('; '))
  }
  if (dataPackage.descriptor.profile !== 'tabular-data-package') {
    throw new Error('descriptor: profile is ' + dataPackage.descriptor.profile)
  }
  for (const resource of dataPackage.resources) {
    if (!resource.tabular) throw new Error(resource.name + ': not tabular')
    const rows = await resource.read({ cast: true, keyed: false })
    const headers = resource.headers
    const fields = resource.schema.fieldNames
    if (JSON.stringify(headers) !== JSON.stringify(fields)) {
      throw new Error(resource.name + ': header ' + headers + ' against fields ' + fields)
    }
    console.log(resource.name + ' ' + rows.length)
  }
}

main(process.argv[2]).catch((error) => {
  const reasons = error.errors ? error.errors.map((e) => e.message).join('; ') : ''
  console.error(error.message + (reasons ? ': ' + reasons : ''))
  process.exit(1)
})
